#include "FaultyOutside.h"

#include "OutsideCalls.h"
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

// Parameter lists made from type lists: (A, B) declares A p1, B p2 and passes , p1, p2.
#define VELLUM_COUNT(...) VELLUM_COUNT_(__VA_OPT__(__VA_ARGS__, ) 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define VELLUM_COUNT_(a, b, c, d, e, f, g, h, n, ...) n
#define VELLUM_JOIN(a, b) VELLUM_JOIN_(a, b)
#define VELLUM_JOIN_(a, b) a##b
#define VELLUM_DECLARE(...) VELLUM_JOIN(VELLUM_DECLARE_, VELLUM_COUNT(__VA_ARGS__))(__VA_ARGS__)
#define VELLUM_DECLARE_0()
#define VELLUM_DECLARE_1(a) a p1
#define VELLUM_DECLARE_2(a, b) VELLUM_DECLARE_1(a), b p2
#define VELLUM_DECLARE_3(a, b, c) VELLUM_DECLARE_2(a, b), c p3
#define VELLUM_DECLARE_4(a, b, c, d) VELLUM_DECLARE_3(a, b, c), d p4
#define VELLUM_DECLARE_5(a, b, c, d, e) VELLUM_DECLARE_4(a, b, c, d), e p5
#define VELLUM_DECLARE_6(a, b, c, d, e, f) VELLUM_DECLARE_5(a, b, c, d, e), f p6
#define VELLUM_DECLARE_7(a, b, c, d, e, f, g) VELLUM_DECLARE_6(a, b, c, d, e, f), g p7
#define VELLUM_DECLARE_8(a, b, c, d, e, f, g, h) VELLUM_DECLARE_7(a, b, c, d, e, f, g), h p8
#define VELLUM_PASS(...) VELLUM_JOIN(VELLUM_PASS_, VELLUM_COUNT(__VA_ARGS__))
#define VELLUM_PASS_0
#define VELLUM_PASS_1 , p1
#define VELLUM_PASS_2 VELLUM_PASS_1, p2
#define VELLUM_PASS_3 VELLUM_PASS_2, p3
#define VELLUM_PASS_4 VELLUM_PASS_3, p4
#define VELLUM_PASS_5 VELLUM_PASS_4, p5
#define VELLUM_PASS_6 VELLUM_PASS_5, p6
#define VELLUM_PASS_7 VELLUM_PASS_6, p7
#define VELLUM_PASS_8 VELLUM_PASS_7, p8

// Forwards the method of that name to the inner object through call().
#define VELLUM_FAULTY(Result, Name, Parameters)                                                    \
    Result Name(VELLUM_DECLARE Parameters) override                                                \
    {                                                                                              \
        return call(#Name, &Interface::Name VELLUM_PASS Parameters);                               \
    }

// A collection handed out by the scene, mirrored with wrapped items.
#define VELLUM_FAULTY_MIRROR(Item, Name)                                                           \
    const Collection<Item>& Name() override                                                        \
    {                                                                                              \
        return mirror(#Name, &Scene::Name, m_##Name);                                              \
    }                                                                                              \
    Collection<Item> m_##Name;

// A wrapper whose every call is on the interface's list; the component is named after it.
#define VELLUM_FAULTY_OF(I, CALLS)                                                                 \
    template <> struct Faulty<I> : public FaultyOf<I>                                              \
    {                                                                                              \
        explicit Faulty(std::shared_ptr<I> inner) : FaultyOf(std::move(inner), #I) {}              \
        CALLS(VELLUM_FAULTY)                                                                       \
    };

// Declared first: a group hands out shapes and a shape hands out its group.
template <> struct Faulty<Group>;
template <> struct Faulty<Shape>;

VELLUM_FAULTY_OF(View, VELLUM_VIEW_CALLS)
VELLUM_FAULTY_OF(Group, VELLUM_GROUP_CALLS)
VELLUM_FAULTY_OF(Light, VELLUM_LIGHT_CALLS)
VELLUM_FAULTY_OF(Camera, VELLUM_CAMERA_CALLS)
VELLUM_FAULTY_OF(Operation, VELLUM_OPERATION_CALLS)
VELLUM_FAULTY_OF(Shape, VELLUM_SHAPE_CALLS)
VELLUM_FAULTY_OF(ApplicationState, VELLUM_APPLICATION_STATE_CALLS)
VELLUM_FAULTY_OF(AppUtility, VELLUM_APP_UTILITY_CALLS)
VELLUM_FAULTY_OF(RenderUtility, VELLUM_RENDER_UTILITY_CALLS)
VELLUM_FAULTY_OF(GraphicsUtility, VELLUM_GRAPHICS_UTILITY_CALLS)
VELLUM_FAULTY_OF(PictureFactory, VELLUM_PICTURE_FACTORY_CALLS)
VELLUM_FAULTY_OF(PovExporter, VELLUM_POV_EXPORTER_CALLS)
VELLUM_FAULTY_OF(AnimationCommands, VELLUM_ANIMATION_COMMANDS_CALLS)
VELLUM_FAULTY_OF(SceneGraph, VELLUM_SCENE_GRAPH_CALLS)
VELLUM_FAULTY_OF(Applier, VELLUM_APPLIER_CALLS)
template <> struct Faulty<ScriptObject> : public FaultyOf<ScriptObject>
{
    explicit Faulty(ScriptObjectPtr inner) : FaultyOf(std::move(inner), "ScriptObject") {}
};

template <> struct Faulty<Scene> : public FaultyOf<Scene>
{
    explicit Faulty(std::shared_ptr<Scene> inner) : FaultyOf(std::move(inner), "Scene") {}
    VELLUM_SCENE_COLLECTIONS(VELLUM_FAULTY_MIRROR)
    VELLUM_SCENE_CALLS(VELLUM_FAULTY)
};

template <> struct Faulty<ScriptEngine> : public FaultyOf<ScriptEngine>
{
    explicit Faulty(ScriptEnginePtr inner) : FaultyOf(std::move(inner), "ScriptEngine") {}
    void Run(const QString& procedure, float& frame, ScriptObjectPtr& object) override
    {
        enter("Run", false);
        ScriptObjectPtr innerObject = unwrap(object);
        inner->Run(procedure, frame, innerObject);
        object = wrap(innerObject);
    }
    VELLUM_FAULTY(ScriptError, Error, ())
};

template <> struct Faulty<ScriptEditor> : public FaultyOf<ScriptEditor>
{
    explicit Faulty(ScriptEditorPtr inner) : FaultyOf(std::move(inner), "ScriptEditor") {}
    VELLUM_FAULTY(void, Attach, (const SceneGraphPtr&))
    VELLUM_FAULTY(bool, Edit,
                  (QString&, std::int32_t, std::int32_t, const QString&, const ShapePtr&))
    void ApplyScript(ScriptedPtr& component, const QString& script, bool compile, std::int32_t a,
                     std::int32_t b) override
    {
        enter("ApplyScript", false);
        ScriptedPtr innerComponent = unwrap(component);
        inner->ApplyScript(innerComponent, script, compile, a, b);
        component = wrapScripted(innerComponent);
    }
};

class FaultyViewport final : public FaultyOf<Viewport, std::unique_ptr<Viewport>>
{
public:
    explicit FaultyViewport(std::unique_ptr<Viewport> inner)
        : FaultyOf(std::move(inner), "Viewport")
    {}
    VELLUM_FAULTY(QWidget*, widget, ())
    VELLUM_FAULTY(void, setBackgroundTexture, (const QString&))
    VELLUM_FAULTY(void, setAntiAliasing, (std::int32_t))
    VELLUM_FAULTY(void, setDisplayOption, (bool))
    VELLUM_FAULTY(void, setSettingValueA, (std::int32_t))
    VELLUM_FAULTY(void, setSettingValueB, (std::int32_t))
    VELLUM_FAULTY(void, setSettingValueC, (std::int32_t))
    VELLUM_FAULTY(void, setCameraFieldOfView, (float))
    VELLUM_FAULTY(void, Draw, ())
    void AttachScene(SceneGraphPtr& graph, const ViewPtr& view) override
    {
        enter("AttachScene", false);
        SceneGraphPtr innerGraph = unwrap(graph);
        inner->AttachScene(innerGraph, unwrap(view));
    }
    VELLUM_FAULTY(void, SetCameraPosition, (float&, float&, float&))
    VELLUM_FAULTY(void, SetCameraOrientation, (float&, float&, float&, float&, float&, float&))
    VELLUM_FAULTY(void, onMouseEvent, (std::function<void()>))
    VELLUM_FAULTY(void, onDrawn, (std::function<void()>))
};

class FaultyPlatform final : public FaultyOf<Platform>
{
public:
    explicit FaultyPlatform(std::shared_ptr<Platform> inner)
        : FaultyOf(std::move(inner), "Platform")
    {}
    VELLUM_FAULTY(QString, GetSetting,
                  (const QString&, const QString&, const QString&, const QString&))
    VELLUM_FAULTY(void, SaveSetting,
                  (const QString&, const QString&, const QString&, const QString&))
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
    VELLUM_FAULTY(QString, TempFolder, ())
    VELLUM_FAULTY(void, WriteTextFile, (const QString&, const QStringList&))
    VELLUM_FAULTY(void, DeleteFile, (const QString&))
    VELLUM_FAULTY(bool, FileExists, (const QString&))
    VELLUM_FAULTY(void, SavePicture, (const QImage&, const QString&))
    VELLUM_FAULTY(QImage, LoadPicture, (const QString&))
    VELLUM_FAULTY(void, ChangeDriveAndFolder, (const QString&))
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
