#include "FaultyOutside.h"

#include "AnimationCommands.h"
#include "AppUtility.h"
#include "ApplicationState.h"
#include "Applier.h"
#include "Camera.h"
#include "GraphicsUtility.h"
#include "Group.h"
#include "Light.h"
#include "Operation.h"
#include "PictureFactory.h"
#include "RenderUtility.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "Shape.h"
#include "View.h"
#include "Viewport.h"

#include <type_traits>
#include <unordered_map>

namespace vellum::testing {

using namespace outside;

void FaultPlan::arm(int n, Fault fault)
{
    m_counting = true;
    m_failAt = n;
    m_fault = fault;
    m_log.clear();
    m_objectCalls.clear();
}

bool FaultPlan::enter(const char* component, const char* call, bool returnsObject)
{
    if (!m_counting)
        return false;
    m_log.append(QLatin1String(component) + QLatin1Char('.') + QLatin1String(call));
    if (returnsObject)
        m_objectCalls.append(calls());
    if (calls() != m_failAt)
        return false;
    if (m_fault == Fault::Error)
        throw injectedError();
    return returnsObject;
}

Error FaultPlan::injectedError()
{
    return Error(31001, QStringLiteral("Injected outside failure"), QStringLiteral("Outside"));
}

FaultPlan& faultPlan()
{
    static FaultPlan plan;
    return plan;
}

namespace {

struct FaultyBase
{
    virtual ~FaultyBase() = default;
    virtual ScriptedPtr innerScripted() { return nullptr; }
};

template <typename I> class Faulty;

template <typename T> struct IsSharedPtr : std::false_type
{};
template <typename T> struct IsSharedPtr<std::shared_ptr<T>> : std::true_type
{};
template <typename T> struct IsPointerList : std::false_type
{};
template <typename T> struct IsPointerList<QList<std::shared_ptr<T>>> : std::true_type
{};

// One wrapper per inner object, so that the panel can compare what it got.
template <typename I> std::shared_ptr<I> wrap(const std::shared_ptr<I>& inner)
{
    if (!inner || dynamic_cast<FaultyBase*>(inner.get()))
        return inner;
    static std::unordered_map<const I*, std::weak_ptr<I>> wrappers;
    std::weak_ptr<I>& slot = wrappers[inner.get()];
    if (std::shared_ptr<I> existing = slot.lock())
        return existing;
    std::shared_ptr<I> wrapper = std::make_shared<Faulty<I>>(inner);
    slot = wrapper;
    return wrapper;
}

template <typename I> std::shared_ptr<I> unwrap(const std::shared_ptr<I>& pointer)
{
    if constexpr (std::is_same_v<I, Scripted>) {
        if (auto* wrapper = dynamic_cast<FaultyBase*>(pointer.get()))
            return wrapper->innerScripted();
    } else if (auto* wrapper = dynamic_cast<Faulty<I>*>(pointer.get())) {
        return wrapper->inner;
    }
    return pointer;
}

template <typename T> T wrapAll(const T& result)
{
    if constexpr (IsSharedPtr<T>::value) {
        return wrap(result);
    } else if constexpr (IsPointerList<T>::value) {
        T wrapped;
        for (const auto& item : result)
            wrapped.append(wrap(item));
        return wrapped;
    } else {
        return result;
    }
}

template <typename T> decltype(auto) unwrapArgument(T&& argument)
{
    if constexpr (IsSharedPtr<std::remove_cvref_t<T>>::value)
        return unwrap(argument);
    else
        return std::forward<T>(argument);
}

ScriptedPtr wrapScripted(const ScriptedPtr& inner)
{
    if (auto group = std::dynamic_pointer_cast<Group>(inner))
        return wrap(group);
    if (auto light = std::dynamic_pointer_cast<Light>(inner))
        return wrap(light);
    if (auto camera = std::dynamic_pointer_cast<Camera>(inner))
        return wrap(camera);
    if (auto shape = std::dynamic_pointer_cast<Shape>(inner))
        return wrap(shape);
    return inner;
}

template <typename I, typename Holder = std::shared_ptr<I>>
class FaultyOf : public I, public FaultyBase
{
public:
    FaultyOf(Holder innerObject, const char* component)
        : inner(std::move(innerObject)), m_component(component)
    {}

    ScriptedPtr innerScripted() override
    {
        if constexpr (std::is_base_of_v<Scripted, I>)
            return inner;
        else
            return nullptr;
    }

    Holder inner;

protected:
    bool enter(const char* call, bool returnsObject)
    {
        return faultPlan().enter(m_component, call, returnsObject);
    }

    template <typename R, typename C, typename... P, typename... A>
    R call(const char* name, R (C::*method)(P...), A&&... arguments)
    {
        constexpr bool object = IsSharedPtr<R>::value || std::is_pointer_v<R>;
        if (enter(name, object)) {
            if constexpr (object)
                return nullptr;
        }
        I& target = *inner;
        if constexpr (std::is_void_v<R>)
            (target.*method)(unwrapArgument(std::forward<A>(arguments))...);
        else
            return wrapAll((target.*method)(unwrapArgument(std::forward<A>(arguments))...));
    }

    template <typename T>
    const Collection<T>& mirror(const char* name, const Collection<T>& (I::*method)(),
                                Collection<T>& cache)
    {
        enter(name, false);
        const Collection<T>& source = ((*inner).*method)();
        bool same = cache.Count() == source.Count();
        for (int i = 0; same && i < source.Count(); ++i)
            same = unwrap(cache.Item(i + 1)) == source.Item(i + 1) &&
                   cache.keyAt(i) == source.keyAt(i);
        if (!same) {
            cache.clear();
            for (int i = 0; i < source.Count(); ++i)
                cache.Add(wrap(source.Item(i + 1)), source.keyAt(i));
        }
        return cache;
    }

private:
    const char* m_component;
};

#define VELLUM_FAULTY_KEYFRAMED(I)                                                                 \
    QList<KeyRecord> GetKeyFrames(float from, float to) override                                   \
    {                                                                                              \
        return call("GetKeyFrames", &I::GetKeyFrames, from, to);                                   \
    }                                                                                              \
    QList<KeyRecord> AnimationData() override                                                      \
    {                                                                                              \
        return call("AnimationData", &I::AnimationData);                                           \
    }                                                                                              \
    void SetKeyFrame(bool start, float frame) override                                             \
    {                                                                                              \
        call("SetKeyFrame", &I::SetKeyFrame, start, frame);                                        \
    }                                                                                              \
    void RemoveKeyFrame(float frame) override                                                      \
    {                                                                                              \
        call("RemoveKeyFrame", &I::RemoveKeyFrame, frame);                                         \
    }                                                                                              \
    void AddKeyFrame(const KeyRecord& key) override                                                \
    {                                                                                              \
        call("AddKeyFrame", &I::AddKeyFrame, key);                                                 \
    }                                                                                              \
    int LoopMode() override                                                                        \
    {                                                                                              \
        return call("LoopMode", &I::LoopMode);                                                     \
    }                                                                                              \
    void setLoopMode(int mode) override                                                            \
    {                                                                                              \
        call("setLoopMode", &I::setLoopMode, mode);                                                \
    }

#define VELLUM_FAULTY_SCRIPTED(I)                                                                  \
    QString Script() override                                                                      \
    {                                                                                              \
        return call("Script", &I::Script);                                                         \
    }                                                                                              \
    ScriptEnginePtr ScriptEngine() override                                                        \
    {                                                                                              \
        return call("ScriptEngine", &I::ScriptEngine);                                             \
    }

template <> class Faulty<ScriptObject> : public FaultyOf<ScriptObject>
{
public:
    explicit Faulty(std::shared_ptr<ScriptObject> inner)
        : FaultyOf(std::move(inner), "ScriptObject")
    {}
};

template <> class Faulty<ScriptEngine> : public FaultyOf<ScriptEngine>
{
public:
    explicit Faulty(std::shared_ptr<ScriptEngine> inner)
        : FaultyOf(std::move(inner), "ScriptEngine")
    {}
    void Run(const QString& procedure, float& frame, ScriptObjectPtr& object) override
    {
        enter("Run", false);
        ScriptObjectPtr innerObject = unwrap(object);
        inner->Run(procedure, frame, innerObject);
        object = wrap(innerObject);
    }
    ScriptError Error() override { return call("Error", &ScriptEngine::Error); }
};

template <> class Faulty<View> : public FaultyOf<View>
{
public:
    explicit Faulty(std::shared_ptr<View> inner) : FaultyOf(std::move(inner), "View") {}
    void SetAnimationTime(float seconds) override
    {
        call("SetAnimationTime", &View::SetAnimationTime, seconds);
    }
};

template <> class Faulty<Group> : public FaultyOf<Group>
{
public:
    explicit Faulty(std::shared_ptr<Group> inner) : FaultyOf(std::move(inner), "Group") {}
    VELLUM_FAULTY_KEYFRAMED(Group)
    VELLUM_FAULTY_SCRIPTED(Group)
    std::int32_t Code() override { return call("Code", &Group::Code); }
    std::int32_t Number() override { return call("Number", &Group::Number); }
    QString Name() override { return call("Name", &Group::Name); }
    QList<ShapePtr> Shapes() override; // after the shapes' wrapper
    void ApplyFrame(float frame) override { call("ApplyFrame", &Group::ApplyFrame, frame); }
    void RefreshTree(bool recursive) override
    {
        call("RefreshTree", &Group::RefreshTree, recursive);
    }
    void ResetAnimation(float frame) override
    {
        call("ResetAnimation", &Group::ResetAnimation, frame);
    }
    void RefreshAnimation(bool recursive) override
    {
        call("RefreshAnimation", &Group::RefreshAnimation, recursive);
    }
    std::int32_t LookAtID() override { return call("LookAtID", &Group::LookAtID); }
    void LookAt(const GroupPtr& target, std::int32_t reserved) override
    {
        call("LookAt", &Group::LookAt, target, reserved);
    }
    void ViewPosition(const ViewPtr& view, float frame, Vector3& position) override
    {
        call("ViewPosition", &Group::ViewPosition, view, frame, position);
    }
    void ViewOrientation(const ViewPtr& view, float frame, Vector3& direction, Vector3& up) override
    {
        call("ViewOrientation", &Group::ViewOrientation, view, frame, direction, up);
    }
};

template <> class Faulty<Light> : public FaultyOf<Light>
{
public:
    explicit Faulty(std::shared_ptr<Light> inner) : FaultyOf(std::move(inner), "Light") {}
    VELLUM_FAULTY_KEYFRAMED(Light)
    VELLUM_FAULTY_SCRIPTED(Light)
    QString Name() override { return call("Name", &Light::Name); }
    std::int32_t Code() override { return call("Code", &Light::Code); }
    void SaveAnimationState() override { call("SaveAnimationState", &Light::SaveAnimationState); }
    void RestoreAnimationState() override
    {
        call("RestoreAnimationState", &Light::RestoreAnimationState);
    }
    void ApplyFrame(float frame) override { call("ApplyFrame", &Light::ApplyFrame, frame); }
};

template <> class Faulty<Camera> : public FaultyOf<Camera>
{
public:
    explicit Faulty(std::shared_ptr<Camera> inner) : FaultyOf(std::move(inner), "Camera") {}
    VELLUM_FAULTY_KEYFRAMED(Camera)
    VELLUM_FAULTY_SCRIPTED(Camera)
    QString Name() override { return call("Name", &Camera::Name); }
    std::int32_t ID() override { return call("ID", &Camera::ID); }
    GroupPtr ParentGroup() override { return call("ParentGroup", &Camera::ParentGroup); }
    float FieldOfView(float frame) override
    {
        return call("FieldOfView", &Camera::FieldOfView, frame);
    }
    void SaveAnimationState() override { call("SaveAnimationState", &Camera::SaveAnimationState); }
    void RestoreAnimationState() override
    {
        call("RestoreAnimationState", &Camera::RestoreAnimationState);
    }
    void ApplyFrame(float frame) override { call("ApplyFrame", &Camera::ApplyFrame, frame); }
};

template <> class Faulty<Operation> : public FaultyOf<Operation>
{
public:
    explicit Faulty(std::shared_ptr<Operation> inner) : FaultyOf(std::move(inner), "Operation") {}
    VELLUM_FAULTY_KEYFRAMED(Operation)
    std::int32_t Number() override { return call("Number", &Operation::Number); }
    QString Name() override { return call("Name", &Operation::Name); }
};

template <> class Faulty<Shape> : public FaultyOf<Shape>
{
public:
    explicit Faulty(std::shared_ptr<Shape> inner) : FaultyOf(std::move(inner), "Shape") {}
    VELLUM_FAULTY_SCRIPTED(Shape)
    std::int32_t Kind() override { return call("Kind", &Shape::Kind); }
    QString Name() override { return call("Name", &Shape::Name); }
    std::int32_t Code() override { return call("Code", &Shape::Code); }
    GroupPtr ParentGroup() override { return call("ParentGroup", &Shape::ParentGroup); }
    std::int32_t LightLink() override { return call("LightLink", &Shape::LightLink); }
    std::int32_t ObjectLink() override { return call("ObjectLink", &Shape::ObjectLink); }
    bool RefreshAlways() override { return call("RefreshAlways", &Shape::RefreshAlways); }
    ShapePtr AnimationBackup() override { return call("AnimationBackup", &Shape::AnimationBackup); }
    void setAnimationBackup(const ShapePtr& backup) override
    {
        call("setAnimationBackup", &Shape::setAnimationBackup, backup);
    }
    void CopyFrom(const ShapePtr& source) override { call("CopyFrom", &Shape::CopyFrom, source); }
    void PrepareRestore() override { call("PrepareRestore", &Shape::PrepareRestore); }
};

QList<ShapePtr> Faulty<Group>::Shapes()
{
    return call("Shapes", &Group::Shapes);
}

template <> class Faulty<Scene> : public FaultyOf<Scene>
{
public:
    explicit Faulty(std::shared_ptr<Scene> inner) : FaultyOf(std::move(inner), "Scene") {}
    const Collection<Shape>& Shapes() override
    {
        return mirror("Shapes", &Scene::Shapes, m_shapes);
    }
    const Collection<Light>& Lights() override
    {
        return mirror("Lights", &Scene::Lights, m_lights);
    }
    const Collection<Camera>& Cameras() override
    {
        return mirror("Cameras", &Scene::Cameras, m_cameras);
    }
    const Collection<Group>& Groups() override
    {
        return mirror("Groups", &Scene::Groups, m_groups);
    }
    const Collection<Operation>& Operations() override
    {
        return mirror("Operations", &Scene::Operations, m_operations);
    }
    GroupPtr RootGroup() override { return call("RootGroup", &Scene::RootGroup); }
    std::int32_t OperationIndex(std::int32_t link) override
    {
        return call("OperationIndex", &Scene::OperationIndex, link);
    }
    OperationTableSet OperationTables(std::int32_t link) override
    {
        return call("OperationTables", &Scene::OperationTables, link);
    }
    void UpdateShape(const ShapePtr& shape, const GroupPtr& group, bool refreshAlways, bool redraw,
                     bool recalculate, bool notify) override
    {
        call("UpdateShape", &Scene::UpdateShape, shape, group, refreshAlways, redraw, recalculate,
             notify);
    }
    void ShapeChanged(const ShapePtr& shape) override
    {
        call("ShapeChanged", &Scene::ShapeChanged, shape);
    }
    void GroupChanged(const GroupPtr& group) override
    {
        call("GroupChanged", &Scene::GroupChanged, group);
    }
    void OperationDataChanged(const ShapePtr& component, const OperationTableSet& tables) override
    {
        call("OperationDataChanged", &Scene::OperationDataChanged, component, tables);
    }
    void ClearAnimatedComponents() override
    {
        call("ClearAnimatedComponents", &Scene::ClearAnimatedComponents);
    }
    void AddAnimatedCamera(const CameraPtr& camera) override
    {
        call("AddAnimatedCamera", &Scene::AddAnimatedCamera, camera);
    }
    void AddAnimatedLight(const LightPtr& light) override
    {
        call("AddAnimatedLight", &Scene::AddAnimatedLight, light);
    }
    void AddAnimatedOperation(const ShapePtr& component) override
    {
        call("AddAnimatedOperation", &Scene::AddAnimatedOperation, component);
    }
    void AddAnimatedGroup(const GroupPtr& group) override
    {
        call("AddAnimatedGroup", &Scene::AddAnimatedGroup, group);
    }
    void CameraScriptChanged(const CameraPtr& camera) override
    {
        call("CameraScriptChanged", &Scene::CameraScriptChanged, camera);
    }
    void LightScriptChanged(const LightPtr& light) override
    {
        call("LightScriptChanged", &Scene::LightScriptChanged, light);
    }
    void ShapeScriptChanged(std::int32_t device, const ShapePtr& shape) override
    {
        call("ShapeScriptChanged", &Scene::ShapeScriptChanged, device, shape);
    }
    void AnimationFinished() override { call("AnimationFinished", &Scene::AnimationFinished); }

private:
    Collection<Shape> m_shapes;
    Collection<Light> m_lights;
    Collection<Camera> m_cameras;
    Collection<Group> m_groups;
    Collection<Operation> m_operations;
};

template <> class Faulty<ApplicationState> : public FaultyOf<ApplicationState>
{
public:
    explicit Faulty(std::shared_ptr<ApplicationState> inner)
        : FaultyOf(std::move(inner), "ApplicationState")
    {}
    using S = ApplicationState;
    QString RegistryKey() override { return call("RegistryKey", &S::RegistryKey); }
    std::int32_t Mode() override { return call("Mode", &S::Mode); }
    void setMode(std::int32_t mode) override { call("setMode", &S::setMode, mode); }
    float CurrentFrame() override { return call("CurrentFrame", &S::CurrentFrame); }
    void setCurrentFrame(float frame) override
    {
        call("setCurrentFrame", &S::setCurrentFrame, frame);
    }
    bool AnimationRunning() override { return call("AnimationRunning", &S::AnimationRunning); }
    void setAnimationRunning(bool running) override
    {
        call("setAnimationRunning", &S::setAnimationRunning, running);
    }
    outside::AnimationSettings AnimationSettings() override
    {
        return call("AnimationSettings", &S::AnimationSettings);
    }
    void setAnimationSettings(const outside::AnimationSettings& settings) override
    {
        call("setAnimationSettings", &S::setAnimationSettings, settings);
    }
    bool Modified() override { return call("Modified", &S::Modified); }
    void setModified(bool modified) override { call("setModified", &S::setModified, modified); }
    std::int32_t SceneDeviceID() override { return call("SceneDeviceID", &S::SceneDeviceID); }
    ScenePtr Scene() override { return call("Scene", &S::Scene); }
    ViewPtr ActiveView() override { return call("ActiveView", &S::ActiveView); }
    bool RenderingSuspended() override
    {
        return call("RenderingSuspended", &S::RenderingSuspended);
    }
    bool PanelActive() override { return call("PanelActive", &S::PanelActive); }
    std::int32_t GhostState() override { return call("GhostState", &S::GhostState); }
    void setGhostState(std::int32_t state) override
    {
        call("setGhostState", &S::setGhostState, state);
    }
    QString BackgroundTexture() override
    {
        return call("BackgroundTexture", &S::BackgroundTexture);
    }
    bool UseBackgroundTexture() override
    {
        return call("UseBackgroundTexture", &S::UseBackgroundTexture);
    }
    bool ViewportOption() override { return call("ViewportOption", &S::ViewportOption); }
    QWidget* MainWindowHandle() override { return call("MainWindowHandle", &S::MainWindowHandle); }
    bool AntiAliasFlag() override { return call("AntiAliasFlag", &S::AntiAliasFlag); }
    QString RaytracerSetting() override { return call("RaytracerSetting", &S::RaytracerSetting); }
};

template <> class Faulty<AppUtility> : public FaultyOf<AppUtility>
{
public:
    explicit Faulty(std::shared_ptr<AppUtility> inner) : FaultyOf(std::move(inner), "AppUtility") {}
    void WriteLine(const QString& line) override
    {
        call("WriteLine", &AppUtility::WriteLine, line);
    }
    using A = AppUtility;
    void LoadDialogState(const QString& key) override
    {
        call("LoadDialogState", &A::LoadDialogState, key);
    }
    void SaveDialogState(const QString& key) override
    {
        call("SaveDialogState", &A::SaveDialogState, key);
    }
    void ShowSaveDialog(QWidget* owner, QString& fileName, const QString& description,
                        const QString& extension, bool confirm, std::int32_t& result) override
    {
        call("ShowSaveDialog", &A::ShowSaveDialog, owner, fileName, description, extension, confirm,
             result);
    }
    void SplitPath(const QString& path, QString& baseName, QString& folder,
                   QString& extension) override
    {
        call("SplitPath", &A::SplitPath, path, baseName, folder, extension);
    }
    QString RaytracerPath() override { return call("RaytracerPath", &A::RaytracerPath); }
};

template <> class Faulty<RenderUtility> : public FaultyOf<RenderUtility>
{
public:
    explicit Faulty(std::shared_ptr<RenderUtility> inner)
        : FaultyOf(std::move(inner), "RenderUtility")
    {}
    using R = RenderUtility;
    void KindCategory(std::int32_t kind, std::int32_t& category) override
    {
        call("KindCategory", &R::KindCategory, kind, category);
    }
    void AnalyseSelection(std::int32_t device, std::int32_t& kind, bool& single) override
    {
        call("AnalyseSelection", &R::AnalyseSelection, device, kind, single);
    }
    std::int32_t SetDrawColour(float r, float g, float b, float a) override
    {
        return call("SetDrawColour", &R::SetDrawColour, r, g, b, a);
    }
    std::int32_t ConvertSettingValue(std::int32_t value) override
    {
        return call("ConvertSettingValue", &R::ConvertSettingValue, value);
    }
    void BlendPictures(const std::array<QImage, 8>& pictures, QImage& target) override
    {
        call("BlendPictures", &R::BlendPictures, pictures, target);
    }
};

template <> class Faulty<GraphicsUtility> : public FaultyOf<GraphicsUtility>
{
public:
    explicit Faulty(std::shared_ptr<GraphicsUtility> inner)
        : FaultyOf(std::move(inner), "GraphicsUtility")
    {}
    using G = GraphicsUtility;
    std::int32_t TickCount() override { return call("TickCount", &G::TickCount); }
    void SetNormalDisplay(bool normal) override
    {
        call("SetNormalDisplay", &G::SetNormalDisplay, normal);
    }
    void GhostDelay(std::int32_t ms) override { call("GhostDelay", &G::GhostDelay, ms); }
    void ScreenPosition(QWidget* widget, std::int32_t& x, std::int32_t& y) override
    {
        call("ScreenPosition", &G::ScreenPosition, widget, x, y);
    }
    void AviOpen(const QString& file, const QImage& picture, std::int32_t fps) override
    {
        call("AviOpen", &G::AviOpen, file, picture, fps);
    }
    void AviAddFrame(const QImage& bitmap, std::int32_t index) override
    {
        call("AviAddFrame", &G::AviAddFrame, bitmap, index);
    }
    void AviClose() override { call("AviClose", &G::AviClose); }
    QImage PictureFromBitmap(QImage bitmap, std::int32_t flags) override
    {
        return call("PictureFromBitmap", &G::PictureFromBitmap, std::move(bitmap), flags);
    }
};

template <> class Faulty<PictureFactory> : public FaultyOf<PictureFactory>
{
public:
    explicit Faulty(std::shared_ptr<PictureFactory> inner)
        : FaultyOf(std::move(inner), "PictureFactory")
    {}
    void MaximumDimensions(std::int32_t& left, std::int32_t& top, std::int32_t& width,
                           std::int32_t& height) override
    {
        call("MaximumDimensions", &PictureFactory::MaximumDimensions, left, top, width, height);
    }
    QImage CreateOffscreenPicture(std::int32_t x, std::int32_t y, std::int32_t width,
                                  std::int32_t height, std::int32_t flags) override
    {
        return call("CreateOffscreenPicture", &PictureFactory::CreateOffscreenPicture, x, y, width,
                    height, flags);
    }
};

template <> class Faulty<AnimationCommands> : public FaultyOf<AnimationCommands>
{
public:
    explicit Faulty(std::shared_ptr<AnimationCommands> inner)
        : FaultyOf(std::move(inner), "AnimationCommands")
    {}
    using A = AnimationCommands;
    QList<std::int32_t> ShapeOperations(const ScenePtr& scene, const ShapePtr& shape) override
    {
        return call("ShapeOperations", &A::ShapeOperations, scene, shape);
    }
    QString OperationName(const ScenePtr& scene, std::int32_t operation) override
    {
        return call("OperationName", &A::OperationName, scene, operation);
    }
    QList<KeyRecord> OperationKeys(const ScenePtr& scene, std::int32_t operation) override
    {
        return call("OperationKeys", &A::OperationKeys, scene, operation);
    }
    std::int32_t OperationLoopMode(const ScenePtr& scene, std::int32_t operation) override
    {
        return call("OperationLoopMode", &A::OperationLoopMode, scene, operation);
    }
    void SetOperationLoopMode(const ScenePtr& scene, std::int32_t operation,
                              std::int32_t loopMode) override
    {
        call("SetOperationLoopMode", &A::SetOperationLoopMode, scene, operation, loopMode);
    }
    void OperationKeyAtFrame(const ScenePtr& scene, std::int32_t operation, float frame,
                             bool& isKey, bool& segmentStart) override
    {
        call("OperationKeyAtFrame", &A::OperationKeyAtFrame, scene, operation, frame, isKey,
             segmentStart);
    }
    std::int32_t OperationKeysBefore(const ScenePtr& scene, std::int32_t operation,
                                     float frame) override
    {
        return call("OperationKeysBefore", &A::OperationKeysBefore, scene, operation, frame);
    }
    void OperationFirstKey(const ScenePtr& scene, std::int32_t operation, std::int32_t& count,
                           float& frame) override
    {
        call("OperationFirstKey", &A::OperationFirstKey, scene, operation, count, frame);
    }
    void MoveKeyFrames(const ScenePtr& scene, std::int32_t code, std::int32_t fixedCols,
                       std::int32_t left, std::int32_t right, std::int32_t offset,
                       bool copy) override
    {
        call("MoveKeyFrames", &A::MoveKeyFrames, scene, code, fixedCols, left, right, offset, copy);
    }
    void ScaleKeyFrames(const ScenePtr& scene, std::int32_t code, std::int32_t fixedCols,
                        std::int32_t left, std::int32_t right, double factor) override
    {
        call("ScaleKeyFrames", &A::ScaleKeyFrames, scene, code, fixedCols, left, right, factor);
    }
    void DeleteKeyFrames(const ScenePtr& scene, std::int32_t code, std::int32_t start,
                         std::int32_t end, std::int32_t fixedCols) override
    {
        call("DeleteKeyFrames", &A::DeleteKeyFrames, scene, code, start, end, fixedCols);
    }
    QStringList GroupSequenceNames(const ScenePtr& scene, std::int32_t code) override
    {
        return call("GroupSequenceNames", &A::GroupSequenceNames, scene, code);
    }
    QStringList OperationSequenceNames(const ScenePtr& scene, std::int32_t operation) override
    {
        return call("OperationSequenceNames", &A::OperationSequenceNames, scene, operation);
    }
    void AddSequence(const ScenePtr& scene, const QString& name, std::int32_t kind,
                     std::int32_t number, std::int32_t left, std::int32_t right,
                     std::int32_t fixedCols, std::int32_t firstFrame) override
    {
        call("AddSequence", &A::AddSequence, scene, name, kind, number, left, right, fixedCols,
             firstFrame);
    }
    void RenameSequence(const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& oldName, const QString& newName) override
    {
        call("RenameSequence", &A::RenameSequence, scene, kind, number, oldName, newName);
    }
    void DeleteSequence(const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& name) override
    {
        call("DeleteSequence", &A::DeleteSequence, scene, kind, number, name);
    }
    void RetrieveSequence(const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                          const QString& name, std::int32_t firstFrame) override
    {
        call("RetrieveSequence", &A::RetrieveSequence, scene, kind, number, name, firstFrame);
    }
};

template <> class Faulty<ScriptEditor> : public FaultyOf<ScriptEditor>
{
public:
    explicit Faulty(std::shared_ptr<ScriptEditor> inner)
        : FaultyOf(std::move(inner), "ScriptEditor")
    {}
    void Attach(const SceneGraphPtr& graph) override
    {
        call("Attach", &ScriptEditor::Attach, graph);
    }
    bool Edit(QString& script, std::int32_t line, std::int32_t column, const QString& title,
              const ShapePtr& object) override
    {
        return call("Edit", &ScriptEditor::Edit, script, line, column, title, object);
    }
    void ApplyScript(ScriptedPtr& component, const QString& script, bool compile, std::int32_t a,
                     std::int32_t b) override
    {
        enter("ApplyScript", false);
        ScriptedPtr innerComponent = unwrap(component);
        inner->ApplyScript(innerComponent, script, compile, a, b);
        component = wrapScripted(innerComponent);
    }
};

template <> class Faulty<SceneGraph> : public FaultyOf<SceneGraph>
{
public:
    explicit Faulty(std::shared_ptr<SceneGraph> inner) : FaultyOf(std::move(inner), "SceneGraph") {}
    using G = SceneGraph;
    ApplicationStatePtr ApplicationState() override
    {
        return call("ApplicationState", &G::ApplicationState);
    }
    ShapePtr NewShape() override { return call("NewShape", &G::NewShape); }
    void AnimationSettingsChanging() override
    {
        call("AnimationSettingsChanging", &G::AnimationSettingsChanging);
    }
    bool AnimationSettingsChanged() override
    {
        return call("AnimationSettingsChanged", &G::AnimationSettingsChanged);
    }
    QList<ComponentRecord> ComponentList() override
    {
        return call("ComponentList", &G::ComponentList);
    }
    std::int32_t SelectedCount(std::int32_t device) override
    {
        return call("SelectedCount", &G::SelectedCount, device);
    }
    ShapePtr SelectedItem(std::int32_t device, std::int32_t index) override
    {
        return call("SelectedItem", &G::SelectedItem, device, index);
    }
    std::int32_t SecondarySelectionCount(std::int32_t device) override
    {
        return call("SecondarySelectionCount", &G::SecondarySelectionCount, device);
    }
    LightPtr LightByLink(std::int32_t link) override
    {
        return call("LightByLink", &G::LightByLink, link);
    }
    CameraPtr CameraByLink(std::int32_t link) override
    {
        return call("CameraByLink", &G::CameraByLink, link);
    }
    QList<CameraPtr> ViewCameras(const ViewPtr& view) override
    {
        return call("ViewCameras", &G::ViewCameras, view);
    }
    void BindDeviceA(std::int32_t device) override { call("BindDeviceA", &G::BindDeviceA, device); }
    void BindDeviceB(std::int32_t device) override { call("BindDeviceB", &G::BindDeviceB, device); }
    void BindDeviceC(std::int32_t device) override { call("BindDeviceC", &G::BindDeviceC, device); }
    void BindDeviceD(std::int32_t device) override { call("BindDeviceD", &G::BindDeviceD, device); }
    void BindDeviceE(std::int32_t device) override { call("BindDeviceE", &G::BindDeviceE, device); }
    void FrameCompleted() override { call("FrameCompleted", &G::FrameCompleted); }
    AppUtilityPtr CreateAppUtility() override
    {
        return call("CreateAppUtility", &G::CreateAppUtility);
    }
    RenderUtilityPtr CreateRenderUtility() override
    {
        return call("CreateRenderUtility", &G::CreateRenderUtility);
    }
    GraphicsUtilityPtr CreateGraphicsUtility() override
    {
        return call("CreateGraphicsUtility", &G::CreateGraphicsUtility);
    }
    PictureFactoryPtr CreatePictureFactory() override
    {
        return call("CreatePictureFactory", &G::CreatePictureFactory);
    }
    AnimationCommandsPtr CreateAnimationCommands() override
    {
        return call("CreateAnimationCommands", &G::CreateAnimationCommands);
    }
    ScriptEditorPtr NewScriptEditor() override
    {
        return call("NewScriptEditor", &G::NewScriptEditor);
    }
    ScriptObjectPtr NewScriptObject(ScriptObjectClass scriptClass) override
    {
        return call("NewScriptObject", &G::NewScriptObject, scriptClass);
    }
};

template <> class Faulty<Applier> : public FaultyOf<Applier>
{
public:
    explicit Faulty(std::shared_ptr<Applier> inner) : FaultyOf(std::move(inner), "Applier") {}
    bool OperationCheck1(const OperationEntry& e) override
    {
        return call("OperationCheck1", &Applier::OperationCheck1, e);
    }
    bool OperationCheck2(const OperationEntry& e) override
    {
        return call("OperationCheck2", &Applier::OperationCheck2, e);
    }
    bool OperationCheck3(const OperationEntry& e) override
    {
        return call("OperationCheck3", &Applier::OperationCheck3, e);
    }
    bool OperationCheck4(const OperationEntry& e) override
    {
        return call("OperationCheck4", &Applier::OperationCheck4, e);
    }
    QImage OperationPicture(std::int32_t type) override
    {
        return call("OperationPicture", &Applier::OperationPicture, type);
    }
};

class FaultyViewport final : public FaultyOf<Viewport, std::unique_ptr<Viewport>>
{
public:
    explicit FaultyViewport(std::unique_ptr<Viewport> inner)
        : FaultyOf(std::move(inner), "Viewport")
    {}
    using V = Viewport;
    QWidget* widget() override { return call("widget", &V::widget); }
    void setBackgroundTexture(const QString& t) override
    {
        call("setBackgroundTexture", &V::setBackgroundTexture, t);
    }
    void setAntiAliasing(std::int32_t level) override
    {
        call("setAntiAliasing", &V::setAntiAliasing, level);
    }
    void setDisplayOption(bool option) override
    {
        call("setDisplayOption", &V::setDisplayOption, option);
    }
    void setSettingValueA(std::int32_t v) override
    {
        call("setSettingValueA", &V::setSettingValueA, v);
    }
    void setSettingValueB(std::int32_t v) override
    {
        call("setSettingValueB", &V::setSettingValueB, v);
    }
    void setSettingValueC(std::int32_t v) override
    {
        call("setSettingValueC", &V::setSettingValueC, v);
    }
    void setCameraFieldOfView(float degrees) override
    {
        call("setCameraFieldOfView", &V::setCameraFieldOfView, degrees);
    }
    void Draw() override { call("Draw", &V::Draw); }
    void AttachScene(SceneGraphPtr& graph, const ViewPtr& view) override
    {
        enter("AttachScene", false);
        SceneGraphPtr innerGraph = unwrap(graph);
        inner->AttachScene(innerGraph, unwrap(view));
    }
    void SetCameraPosition(float& x, float& y, float& z) override
    {
        call("SetCameraPosition", &V::SetCameraPosition, x, y, z);
    }
    void SetCameraOrientation(float& dx, float& dy, float& dz, float& ux, float& uy,
                              float& uz) override
    {
        call("SetCameraOrientation", &V::SetCameraOrientation, dx, dy, dz, ux, uy, uz);
    }
    void onMouseEvent(std::function<void()> handler) override
    {
        call("onMouseEvent", &V::onMouseEvent, std::move(handler));
    }
    void onDrawn(std::function<void()> handler) override
    {
        call("onDrawn", &V::onDrawn, std::move(handler));
    }
};

class FaultyPlatform final : public FaultyOf<Platform>
{
public:
    explicit FaultyPlatform(std::shared_ptr<Platform> inner)
        : FaultyOf(std::move(inner), "Platform")
    {}
    using P = Platform;
    QString GetSetting(const QString& app, const QString& section, const QString& key,
                       const QString& defaultValue) override
    {
        return call("GetSetting", &P::GetSetting, app, section, key, defaultValue);
    }
    void SaveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override
    {
        call("SaveSetting", &P::SaveSetting, app, section, key, value);
    }
    MsgBoxResult MsgBox(const QString&, MsgBoxButtons buttons, MsgBoxIcon, const QString&) override
    {
        enter("MsgBox", false);
        const bool question =
            buttons == MsgBoxButtons::YesNo || buttons == MsgBoxButtons::YesNoCancel;
        return question ? MsgBoxResult::Yes : MsgBoxResult::OK;
    }
    QString InputBox(const QString&, const QString&, const QString&) override
    {
        enter("InputBox", false);
        return {};
    }
    int ShowModal(QDialog&) override
    {
        enter("ShowModal", false);
        return 0;
    }
    QAction* PopupMenu(QMenu&) override
    {
        enter("PopupMenu", true);
        return nullptr;
    }
    void PumpMessages() override { enter("PumpMessages", false); }
    QString TempFolder() override { return call("TempFolder", &P::TempFolder); }
    void WriteTextFile(const QString& path, const QStringList& lines) override
    {
        call("WriteTextFile", &P::WriteTextFile, path, lines);
    }
    void DeleteFile(const QString& path) override { call("DeleteFile", &P::DeleteFile, path); }
    bool FileExists(const QString& path) override
    {
        return call("FileExists", &P::FileExists, path);
    }
    void SavePicture(const QImage& picture, const QString& path) override
    {
        call("SavePicture", &P::SavePicture, picture, path);
    }
    QImage LoadPicture(const QString& path) override
    {
        return call("LoadPicture", &P::LoadPicture, path);
    }
    void ChangeDriveAndFolder(const QString& folder) override
    {
        call("ChangeDriveAndFolder", &P::ChangeDriveAndFolder, folder);
    }
};

} // namespace

SceneGraphPtr faulty(const SceneGraphPtr& sceneGraph)
{
    return wrap(sceneGraph);
}

ApplierPtr faulty(const ApplierPtr& applier)
{
    return wrap(applier);
}

std::unique_ptr<Viewport> faulty(std::unique_ptr<Viewport> viewport)
{
    return std::make_unique<FaultyViewport>(std::move(viewport));
}

std::shared_ptr<Platform> faulty(std::shared_ptr<Platform> platform)
{
    return std::make_shared<FaultyPlatform>(std::move(platform));
}

} // namespace vellum::testing
