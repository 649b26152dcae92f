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
#include "PovExporter.h"
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

template <typename I> struct Faulty;

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
    using Interface = I;

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

// Forwards the method of that name to the inner object through call(): the parameter list in
// brackets, then the names to pass.
#define VELLUM_FAULTY_CALL(Result, Name, Parameters, ...)                                          \
    Result Name Parameters override                                                                \
    {                                                                                              \
        return call(#Name, &Interface::Name __VA_OPT__(, ) __VA_ARGS__);                           \
    }

// A wrapper's constructor: the component is named after its interface.
#define VELLUM_FAULTY_OF(I)                                                                        \
    explicit Faulty(std::shared_ptr<I> inner) : FaultyOf(std::move(inner), #I) {}

// A collection handed out by the scene, mirrored with wrapped items.
#define VELLUM_FAULTY_MIRROR(Item, Name, cache)                                                    \
    const Collection<Item>& Name() override                                                        \
    {                                                                                              \
        return mirror(#Name, &Scene::Name, cache);                                                 \
    }

#define VELLUM_FAULTY_KEYFRAMED                                                                    \
    VELLUM_FAULTY_CALL(QList<KeyRecord>, GetKeyFrames, (float from, float to), from, to)           \
    VELLUM_FAULTY_CALL(QList<KeyRecord>, AnimationData, ())                                        \
    VELLUM_FAULTY_CALL(void, SetKeyFrame, (bool start, float frame), start, frame)                 \
    VELLUM_FAULTY_CALL(void, RemoveKeyFrame, (float frame), frame)                                 \
    VELLUM_FAULTY_CALL(void, AddKeyFrame, (const KeyRecord& key), key)                             \
    VELLUM_FAULTY_CALL(int, LoopMode, ())                                                          \
    VELLUM_FAULTY_CALL(void, setLoopMode, (int mode), mode)

#define VELLUM_FAULTY_SCRIPTED                                                                     \
    VELLUM_FAULTY_CALL(QString, Script, ())                                                        \
    VELLUM_FAULTY_CALL(ScriptEnginePtr, ScriptEngine, ())

template <> struct Faulty<ScriptObject> : public FaultyOf<ScriptObject>
{
    VELLUM_FAULTY_OF(ScriptObject)
};

template <> struct Faulty<ScriptEngine> : public FaultyOf<ScriptEngine>
{
    VELLUM_FAULTY_OF(ScriptEngine)
    void Run(const QString& procedure, float& frame, ScriptObjectPtr& object) override
    {
        enter("Run", false);
        ScriptObjectPtr innerObject = unwrap(object);
        inner->Run(procedure, frame, innerObject);
        object = wrap(innerObject);
    }
    VELLUM_FAULTY_CALL(ScriptError, Error, ())
};

template <> struct Faulty<View> : public FaultyOf<View>
{
    VELLUM_FAULTY_OF(View)
    VELLUM_FAULTY_CALL(void, SetAnimationTime, (float seconds), seconds)
};

template <> struct Faulty<Group> : public FaultyOf<Group>
{
    VELLUM_FAULTY_OF(Group)
    VELLUM_FAULTY_KEYFRAMED
    VELLUM_FAULTY_SCRIPTED
    VELLUM_FAULTY_CALL(std::int32_t, Code, ())
    VELLUM_FAULTY_CALL(std::int32_t, Number, ())
    VELLUM_FAULTY_CALL(QString, Name, ())
    QList<ShapePtr> Shapes() override; // after the shapes' wrapper
    VELLUM_FAULTY_CALL(void, ApplyFrame, (float frame), frame)
    VELLUM_FAULTY_CALL(void, RefreshTree, (bool recursive), recursive)
    VELLUM_FAULTY_CALL(void, ResetAnimation, (float frame), frame)
    VELLUM_FAULTY_CALL(void, RefreshAnimation, (bool recursive), recursive)
    VELLUM_FAULTY_CALL(std::int32_t, LookAtID, ())
    VELLUM_FAULTY_CALL(void, LookAt, (const GroupPtr& target, std::int32_t reserved), target,
                       reserved)
    VELLUM_FAULTY_CALL(void, ViewPosition, (const ViewPtr& view, float frame, Vector3& position),
                       view, frame, position)
    VELLUM_FAULTY_CALL(void, ViewOrientation,
                       (const ViewPtr& view, float frame, Vector3& direction, Vector3& up), view,
                       frame, direction, up)
};

template <> struct Faulty<Light> : public FaultyOf<Light>
{
    VELLUM_FAULTY_OF(Light)
    VELLUM_FAULTY_KEYFRAMED
    VELLUM_FAULTY_SCRIPTED
    VELLUM_FAULTY_CALL(QString, Name, ())
    VELLUM_FAULTY_CALL(std::int32_t, Code, ())
    VELLUM_FAULTY_CALL(void, SaveAnimationState, ())
    VELLUM_FAULTY_CALL(void, RestoreAnimationState, ())
    VELLUM_FAULTY_CALL(void, ApplyFrame, (float frame), frame)
};

template <> struct Faulty<Camera> : public FaultyOf<Camera>
{
    VELLUM_FAULTY_OF(Camera)
    VELLUM_FAULTY_KEYFRAMED
    VELLUM_FAULTY_SCRIPTED
    VELLUM_FAULTY_CALL(QString, Name, ())
    VELLUM_FAULTY_CALL(std::int32_t, ID, ())
    VELLUM_FAULTY_CALL(GroupPtr, ParentGroup, ())
    VELLUM_FAULTY_CALL(float, FieldOfView, (float frame), frame)
    VELLUM_FAULTY_CALL(void, SaveAnimationState, ())
    VELLUM_FAULTY_CALL(void, RestoreAnimationState, ())
    VELLUM_FAULTY_CALL(void, ApplyFrame, (float frame), frame)
};

template <> struct Faulty<Operation> : public FaultyOf<Operation>
{
    VELLUM_FAULTY_OF(Operation)
    VELLUM_FAULTY_KEYFRAMED
    VELLUM_FAULTY_CALL(std::int32_t, Number, ())
    VELLUM_FAULTY_CALL(QString, Name, ())
};

template <> struct Faulty<Shape> : public FaultyOf<Shape>
{
    VELLUM_FAULTY_OF(Shape)
    VELLUM_FAULTY_SCRIPTED
    VELLUM_FAULTY_CALL(std::int32_t, Kind, ())
    VELLUM_FAULTY_CALL(QString, Name, ())
    VELLUM_FAULTY_CALL(std::int32_t, Code, ())
    VELLUM_FAULTY_CALL(GroupPtr, ParentGroup, ())
    VELLUM_FAULTY_CALL(std::int32_t, LightLink, ())
    VELLUM_FAULTY_CALL(std::int32_t, ObjectLink, ())
    VELLUM_FAULTY_CALL(bool, RefreshAlways, ())
    VELLUM_FAULTY_CALL(ShapePtr, AnimationBackup, ())
    VELLUM_FAULTY_CALL(void, setAnimationBackup, (const ShapePtr& backup), backup)
    VELLUM_FAULTY_CALL(void, CopyFrom, (const ShapePtr& source), source)
    VELLUM_FAULTY_CALL(void, PrepareRestore, ())
};

QList<ShapePtr> Faulty<Group>::Shapes()
{
    return call("Shapes", &Group::Shapes);
}

template <> struct Faulty<Scene> : public FaultyOf<Scene>
{
    VELLUM_FAULTY_OF(Scene)
    VELLUM_FAULTY_MIRROR(Shape, Shapes, m_shapes)
    VELLUM_FAULTY_MIRROR(Light, Lights, m_lights)
    VELLUM_FAULTY_MIRROR(Camera, Cameras, m_cameras)
    VELLUM_FAULTY_MIRROR(Group, Groups, m_groups)
    VELLUM_FAULTY_MIRROR(Operation, Operations, m_operations)
    VELLUM_FAULTY_CALL(GroupPtr, RootGroup, ())
    VELLUM_FAULTY_CALL(std::int32_t, OperationIndex, (std::int32_t link), link)
    VELLUM_FAULTY_CALL(OperationTableSet, OperationTables, (std::int32_t link), link)
    VELLUM_FAULTY_CALL(void, UpdateShape,
                       (const ShapePtr& shape, const GroupPtr& group, bool refreshAlways,
                        bool redraw, bool recalculate, bool notify),
                       shape, group, refreshAlways, redraw, recalculate, notify)
    VELLUM_FAULTY_CALL(void, ShapeChanged, (const ShapePtr& shape), shape)
    VELLUM_FAULTY_CALL(void, GroupChanged, (const GroupPtr& group), group)
    VELLUM_FAULTY_CALL(void, OperationDataChanged,
                       (const ShapePtr& component, const OperationTableSet& tables), component,
                       tables)
    VELLUM_FAULTY_CALL(void, ClearAnimatedComponents, ())
    VELLUM_FAULTY_CALL(void, AddAnimatedCamera, (const CameraPtr& camera), camera)
    VELLUM_FAULTY_CALL(void, AddAnimatedLight, (const LightPtr& light), light)
    VELLUM_FAULTY_CALL(void, AddAnimatedOperation, (const ShapePtr& component), component)
    VELLUM_FAULTY_CALL(void, AddAnimatedGroup, (const GroupPtr& group), group)
    VELLUM_FAULTY_CALL(void, CameraScriptChanged, (const CameraPtr& camera), camera)
    VELLUM_FAULTY_CALL(void, LightScriptChanged, (const LightPtr& light), light)
    VELLUM_FAULTY_CALL(void, ShapeScriptChanged, (std::int32_t device, const ShapePtr& shape),
                       device, shape)
    VELLUM_FAULTY_CALL(void, AnimationFinished, ())

private:
    Collection<Shape> m_shapes;
    Collection<Light> m_lights;
    Collection<Camera> m_cameras;
    Collection<Group> m_groups;
    Collection<Operation> m_operations;
};

template <> struct Faulty<ApplicationState> : public FaultyOf<ApplicationState>
{
    VELLUM_FAULTY_OF(ApplicationState)
    VELLUM_FAULTY_CALL(QString, RegistryKey, ())
    VELLUM_FAULTY_CALL(std::int32_t, Mode, ())
    VELLUM_FAULTY_CALL(void, setMode, (std::int32_t mode), mode)
    VELLUM_FAULTY_CALL(float, CurrentFrame, ())
    VELLUM_FAULTY_CALL(void, setCurrentFrame, (float frame), frame)
    VELLUM_FAULTY_CALL(bool, AnimationRunning, ())
    VELLUM_FAULTY_CALL(void, setAnimationRunning, (bool running), running)
    VELLUM_FAULTY_CALL(outside::AnimationSettings, AnimationSettings, ())
    VELLUM_FAULTY_CALL(void, setAnimationSettings, (const outside::AnimationSettings& settings),
                       settings)
    VELLUM_FAULTY_CALL(bool, Modified, ())
    VELLUM_FAULTY_CALL(void, setModified, (bool modified), modified)
    VELLUM_FAULTY_CALL(std::int32_t, SceneDeviceID, ())
    VELLUM_FAULTY_CALL(ScenePtr, Scene, ())
    VELLUM_FAULTY_CALL(ViewPtr, ActiveView, ())
    VELLUM_FAULTY_CALL(bool, RenderingSuspended, ())
    VELLUM_FAULTY_CALL(bool, PanelActive, ())
    VELLUM_FAULTY_CALL(std::int32_t, GhostState, ())
    VELLUM_FAULTY_CALL(void, setGhostState, (std::int32_t state), state)
    VELLUM_FAULTY_CALL(QString, BackgroundTexture, ())
    VELLUM_FAULTY_CALL(bool, UseBackgroundTexture, ())
    VELLUM_FAULTY_CALL(bool, ViewportOption, ())
    VELLUM_FAULTY_CALL(QWidget*, MainWindowHandle, ())
    VELLUM_FAULTY_CALL(bool, AntiAliasFlag, ())
    VELLUM_FAULTY_CALL(QString, RaytracerSetting, ())
    VELLUM_FAULTY_CALL(QString, ScenePath, ())
    VELLUM_FAULTY_CALL(bool, RaytraceFailed, ())
    VELLUM_FAULTY_CALL(void, setRaytraceFailed, (bool failed), failed)
};

template <> struct Faulty<AppUtility> : public FaultyOf<AppUtility>
{
    VELLUM_FAULTY_OF(AppUtility)
    VELLUM_FAULTY_CALL(void, WriteLine, (const QString& line), line)
    VELLUM_FAULTY_CALL(void, LoadDialogState, (const QString& key), key)
    VELLUM_FAULTY_CALL(void, SaveDialogState, (const QString& key), key)
    VELLUM_FAULTY_CALL(void, ShowSaveDialog,
                       (QWidget * owner, QString& fileName, const QString& description,
                        const QString& extension, bool confirm, std::int32_t& result),
                       owner, fileName, description, extension, confirm, result)
    VELLUM_FAULTY_CALL(void, SplitPath,
                       (const QString& path, QString& baseName, QString& folder,
                        QString& extension),
                       path, baseName, folder, extension)
    VELLUM_FAULTY_CALL(QString, RaytracerPath, ())
    VELLUM_FAULTY_CALL(QString, ShortPath, (const QString& path), path)
};

template <> struct Faulty<RenderUtility> : public FaultyOf<RenderUtility>
{
    VELLUM_FAULTY_OF(RenderUtility)
    VELLUM_FAULTY_CALL(void, KindCategory, (std::int32_t kind, std::int32_t& category), kind,
                       category)
    VELLUM_FAULTY_CALL(void, AnalyseSelection,
                       (std::int32_t device, std::int32_t& kind, bool& single), device, kind,
                       single)
    VELLUM_FAULTY_CALL(std::int32_t, SetDrawColour, (float r, float g, float b, float a), r, g, b,
                       a)
    VELLUM_FAULTY_CALL(std::int32_t, ConvertSettingValue, (std::int32_t value), value)
    VELLUM_FAULTY_CALL(void, BlendPictures, (const std::array<QImage, 8>& pictures, QImage& target),
                       pictures, target)
    VELLUM_FAULTY_CALL(std::int64_t, ShellAndWait, (const QString& commandLine, bool wait),
                       commandLine, wait)
};

template <> struct Faulty<GraphicsUtility> : public FaultyOf<GraphicsUtility>
{
    VELLUM_FAULTY_OF(GraphicsUtility)
    VELLUM_FAULTY_CALL(std::int32_t, TickCount, ())
    VELLUM_FAULTY_CALL(void, SetNormalDisplay, (bool normal), normal)
    VELLUM_FAULTY_CALL(void, GhostDelay, (std::int32_t ms), ms)
    VELLUM_FAULTY_CALL(void, ScreenPosition, (QWidget * widget, std::int32_t& x, std::int32_t& y),
                       widget, x, y)
    VELLUM_FAULTY_CALL(void, AviOpen,
                       (const QString& file, const QImage& picture, std::int32_t fps), file,
                       picture, fps)
    VELLUM_FAULTY_CALL(void, AviAddFrame, (const QImage& bitmap, std::int32_t index), bitmap, index)
    VELLUM_FAULTY_CALL(void, AviClose, ())
    VELLUM_FAULTY_CALL(QImage, PictureFromBitmap, (QImage bitmap, std::int32_t flags),
                       std::move(bitmap), flags)
};

template <> struct Faulty<PictureFactory> : public FaultyOf<PictureFactory>
{
    VELLUM_FAULTY_OF(PictureFactory)
    VELLUM_FAULTY_CALL(void, MaximumDimensions,
                       (std::int32_t & left, std::int32_t& top, std::int32_t& width,
                        std::int32_t& height),
                       left, top, width, height)
    VELLUM_FAULTY_CALL(QImage, CreateOffscreenPicture,
                       (std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        std::int32_t flags),
                       x, y, width, height, flags)
};

template <> struct Faulty<PovExporter> : public FaultyOf<PovExporter>
{
    VELLUM_FAULTY_OF(PovExporter)
    VELLUM_FAULTY_CALL(void, ExportScene,
                       (const QString& path, const ScenePtr& scene, float ambient,
                        float aspectRatio, bool& usesTifTextures,
                        const PovRenderSettings& settings),
                       path, scene, ambient, aspectRatio, usesTifTextures, settings)
};

template <> struct Faulty<AnimationCommands> : public FaultyOf<AnimationCommands>
{
    VELLUM_FAULTY_OF(AnimationCommands)
    VELLUM_FAULTY_CALL(QList<std::int32_t>, ShapeOperations,
                       (const ScenePtr& scene, const ShapePtr& shape), scene, shape)
    VELLUM_FAULTY_CALL(QString, OperationName, (const ScenePtr& scene, std::int32_t operation),
                       scene, operation)
    VELLUM_FAULTY_CALL(QList<KeyRecord>, OperationKeys,
                       (const ScenePtr& scene, std::int32_t operation), scene, operation)
    VELLUM_FAULTY_CALL(std::int32_t, OperationLoopMode,
                       (const ScenePtr& scene, std::int32_t operation), scene, operation)
    VELLUM_FAULTY_CALL(void, SetOperationLoopMode,
                       (const ScenePtr& scene, std::int32_t operation, std::int32_t loopMode),
                       scene, operation, loopMode)
    VELLUM_FAULTY_CALL(void, OperationKeyAtFrame,
                       (const ScenePtr& scene, std::int32_t operation, float frame, bool& isKey,
                        bool& segmentStart),
                       scene, operation, frame, isKey, segmentStart)
    VELLUM_FAULTY_CALL(std::int32_t, OperationKeysBefore,
                       (const ScenePtr& scene, std::int32_t operation, float frame), scene,
                       operation, frame)
    VELLUM_FAULTY_CALL(void, OperationFirstKey,
                       (const ScenePtr& scene, std::int32_t operation, std::int32_t& count,
                        float& frame),
                       scene, operation, count, frame)
    VELLUM_FAULTY_CALL(void, MoveKeyFrames,
                       (const ScenePtr& scene, std::int32_t code, std::int32_t fixedCols,
                        std::int32_t left, std::int32_t right, std::int32_t offset, bool copy),
                       scene, code, fixedCols, left, right, offset, copy)
    VELLUM_FAULTY_CALL(void, ScaleKeyFrames,
                       (const ScenePtr& scene, std::int32_t code, std::int32_t fixedCols,
                        std::int32_t left, std::int32_t right, double factor),
                       scene, code, fixedCols, left, right, factor)
    VELLUM_FAULTY_CALL(void, DeleteKeyFrames,
                       (const ScenePtr& scene, std::int32_t code, std::int32_t start,
                        std::int32_t end, std::int32_t fixedCols),
                       scene, code, start, end, fixedCols)
    VELLUM_FAULTY_CALL(QStringList, GroupSequenceNames, (const ScenePtr& scene, std::int32_t code),
                       scene, code)
    VELLUM_FAULTY_CALL(QStringList, OperationSequenceNames,
                       (const ScenePtr& scene, std::int32_t operation), scene, operation)
    VELLUM_FAULTY_CALL(void, AddSequence,
                       (const ScenePtr& scene, const QString& name, std::int32_t kind,
                        std::int32_t number, std::int32_t left, std::int32_t right,
                        std::int32_t fixedCols, std::int32_t firstFrame),
                       scene, name, kind, number, left, right, fixedCols, firstFrame)
    VELLUM_FAULTY_CALL(void, RenameSequence,
                       (const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& oldName, const QString& newName),
                       scene, kind, number, oldName, newName)
    VELLUM_FAULTY_CALL(void, DeleteSequence,
                       (const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& name),
                       scene, kind, number, name)
    VELLUM_FAULTY_CALL(void, RetrieveSequence,
                       (const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& name, std::int32_t firstFrame),
                       scene, kind, number, name, firstFrame)
};

template <> struct Faulty<ScriptEditor> : public FaultyOf<ScriptEditor>
{
    VELLUM_FAULTY_OF(ScriptEditor)
    VELLUM_FAULTY_CALL(void, Attach, (const SceneGraphPtr& graph), graph)
    VELLUM_FAULTY_CALL(bool, Edit,
                       (QString & script, std::int32_t line, std::int32_t column,
                        const QString& title, const ShapePtr& object),
                       script, line, column, title, object)
    void ApplyScript(ScriptedPtr& component, const QString& script, bool compile, std::int32_t a,
                     std::int32_t b) override
    {
        enter("ApplyScript", false);
        ScriptedPtr innerComponent = unwrap(component);
        inner->ApplyScript(innerComponent, script, compile, a, b);
        component = wrapScripted(innerComponent);
    }
};

template <> struct Faulty<SceneGraph> : public FaultyOf<SceneGraph>
{
    VELLUM_FAULTY_OF(SceneGraph)
    VELLUM_FAULTY_CALL(ApplicationStatePtr, ApplicationState, ())
    VELLUM_FAULTY_CALL(ShapePtr, NewShape, ())
    VELLUM_FAULTY_CALL(void, AnimationSettingsChanging, ())
    VELLUM_FAULTY_CALL(bool, AnimationSettingsChanged, ())
    VELLUM_FAULTY_CALL(QList<ComponentRecord>, ComponentList, ())
    VELLUM_FAULTY_CALL(std::int32_t, SelectedCount, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(ShapePtr, SelectedItem, (std::int32_t device, std::int32_t index), device,
                       index)
    VELLUM_FAULTY_CALL(std::int32_t, SecondarySelectionCount, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(LightPtr, LightByLink, (std::int32_t link), link)
    VELLUM_FAULTY_CALL(CameraPtr, CameraByLink, (std::int32_t link), link)
    VELLUM_FAULTY_CALL(QList<CameraPtr>, ViewCameras, (const ViewPtr& view), view)
    VELLUM_FAULTY_CALL(void, BindDeviceA, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(void, BindDeviceB, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(void, BindDeviceC, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(void, BindDeviceD, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(void, BindDeviceE, (std::int32_t device), device)
    VELLUM_FAULTY_CALL(void, FrameCompleted, ())
    VELLUM_FAULTY_CALL(AppUtilityPtr, CreateAppUtility, ())
    VELLUM_FAULTY_CALL(RenderUtilityPtr, CreateRenderUtility, ())
    VELLUM_FAULTY_CALL(GraphicsUtilityPtr, CreateGraphicsUtility, ())
    VELLUM_FAULTY_CALL(PictureFactoryPtr, CreatePictureFactory, ())
    VELLUM_FAULTY_CALL(AnimationCommandsPtr, CreateAnimationCommands, ())
    VELLUM_FAULTY_CALL(void, LibraryPaths, (QStringList & folders, std::int32_t& count), folders,
                       count)
    VELLUM_FAULTY_CALL(PovExporterPtr, CreatePovExporter, ())
    VELLUM_FAULTY_CALL(ScriptEditorPtr, NewScriptEditor, ())
    VELLUM_FAULTY_CALL(ScriptObjectPtr, NewScriptObject, (ScriptObjectClass scriptClass),
                       scriptClass)
};

template <> struct Faulty<Applier> : public FaultyOf<Applier>
{
    VELLUM_FAULTY_OF(Applier)
    VELLUM_FAULTY_CALL(bool, OperationCheck1, (const OperationEntry& e), e)
    VELLUM_FAULTY_CALL(bool, OperationCheck2, (const OperationEntry& e), e)
    VELLUM_FAULTY_CALL(bool, OperationCheck3, (const OperationEntry& e), e)
    VELLUM_FAULTY_CALL(bool, OperationCheck4, (const OperationEntry& e), e)
    VELLUM_FAULTY_CALL(QImage, OperationPicture, (std::int32_t type), type)
};

class FaultyViewport final : public FaultyOf<Viewport, std::unique_ptr<Viewport>>
{
public:
    explicit FaultyViewport(std::unique_ptr<Viewport> inner)
        : FaultyOf(std::move(inner), "Viewport")
    {}
    VELLUM_FAULTY_CALL(QWidget*, widget, ())
    VELLUM_FAULTY_CALL(void, setBackgroundTexture, (const QString& t), t)
    VELLUM_FAULTY_CALL(void, setAntiAliasing, (std::int32_t level), level)
    VELLUM_FAULTY_CALL(void, setDisplayOption, (bool option), option)
    VELLUM_FAULTY_CALL(void, setSettingValueA, (std::int32_t v), v)
    VELLUM_FAULTY_CALL(void, setSettingValueB, (std::int32_t v), v)
    VELLUM_FAULTY_CALL(void, setSettingValueC, (std::int32_t v), v)
    VELLUM_FAULTY_CALL(void, setCameraFieldOfView, (float degrees), degrees)
    VELLUM_FAULTY_CALL(void, Draw, ())
    void AttachScene(SceneGraphPtr& graph, const ViewPtr& view) override
    {
        enter("AttachScene", false);
        SceneGraphPtr innerGraph = unwrap(graph);
        inner->AttachScene(innerGraph, unwrap(view));
    }
    VELLUM_FAULTY_CALL(void, SetCameraPosition, (float& x, float& y, float& z), x, y, z)
    VELLUM_FAULTY_CALL(void, SetCameraOrientation,
                       (float& dx, float& dy, float& dz, float& ux, float& uy, float& uz), dx, dy,
                       dz, ux, uy, uz)
    VELLUM_FAULTY_CALL(void, onMouseEvent, (std::function<void()> handler), std::move(handler))
    VELLUM_FAULTY_CALL(void, onDrawn, (std::function<void()> handler), std::move(handler))
};

class FaultyPlatform final : public FaultyOf<Platform>
{
public:
    explicit FaultyPlatform(std::shared_ptr<Platform> inner)
        : FaultyOf(std::move(inner), "Platform")
    {}
    VELLUM_FAULTY_CALL(QString, GetSetting,
                       (const QString& app, const QString& section, const QString& key,
                        const QString& defaultValue),
                       app, section, key, defaultValue)
    VELLUM_FAULTY_CALL(void, SaveSetting,
                       (const QString& app, const QString& section, const QString& key,
                        const QString& value),
                       app, section, key, value)
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
    VELLUM_FAULTY_CALL(QString, TempFolder, ())
    VELLUM_FAULTY_CALL(void, WriteTextFile, (const QString& path, const QStringList& lines), path,
                       lines)
    VELLUM_FAULTY_CALL(void, DeleteFile, (const QString& path), path)
    VELLUM_FAULTY_CALL(bool, FileExists, (const QString& path), path)
    VELLUM_FAULTY_CALL(void, SavePicture, (const QImage& picture, const QString& path), picture,
                       path)
    VELLUM_FAULTY_CALL(QImage, LoadPicture, (const QString& path), path)
    VELLUM_FAULTY_CALL(void, ChangeDriveAndFolder, (const QString& folder), folder)
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
