#include "PanelHarness.h"

#include "ModuleState.h"
#include "Twips.h"

namespace vellum::testing {

using ::testing::ReturnRef;

PanelHarness::PanelHarness()
{
    outside::setPlatform(platform);
    wireState();
    control = std::make_unique<animation::Animation>();
    control->resize(1200, 40);
    control->show();
    recordEvents();
}

PanelHarness::~PanelHarness()
{
    try {
        if (control && animation::module().gcCSG)
            unbind();
    } catch (const Error&) {
    }
    control.reset();
    animation::resetModule();
    outside::setPlatform(nullptr);
}

void PanelHarness::wireState()
{
    ON_CALL(*sceneGraph, ApplicationState()).WillByDefault(Return(state));
    ON_CALL(*sceneGraph, CreateAppUtility()).WillByDefault(Return(appUtility));
    ON_CALL(*sceneGraph, CreateRenderUtility()).WillByDefault(Return(render));
    ON_CALL(*sceneGraph, CreateGraphicsUtility()).WillByDefault(Return(graphics));
    ON_CALL(*sceneGraph, CreatePictureFactory()).WillByDefault(Return(pictures));
    ON_CALL(*sceneGraph, CreateAnimationCommands()).WillByDefault(Return(commands));
    ON_CALL(*sceneGraph, SelectedCount(_)).WillByDefault([this](std::int32_t) {
        return std::int32_t(selection.size());
    });
    ON_CALL(*sceneGraph, SelectedItem(_, _)).WillByDefault([this](std::int32_t, std::int32_t i) {
        return selection.value(i);
    });
    ON_CALL(*state, RegistryKey()).WillByDefault([this] { return registryKey; });
    ON_CALL(*state, Mode()).WillByDefault([this] { return mode; });
    ON_CALL(*state, setMode(_)).WillByDefault([this](std::int32_t m) { mode = m; });
    ON_CALL(*state, CurrentFrame()).WillByDefault([this] { return currentFrame; });
    ON_CALL(*state, setCurrentFrame(_)).WillByDefault([this](float f) { currentFrame = f; });
    ON_CALL(*state, AnimationRunning()).WillByDefault([this] { return animationRunning; });
    ON_CALL(*state, setAnimationRunning(_)).WillByDefault([this](bool r) { animationRunning = r; });
    ON_CALL(*state, RenderingSuspended()).WillByDefault([this] { return renderingSuspended; });
    ON_CALL(*state, Modified()).WillByDefault([this] { return modified; });
    ON_CALL(*state, setModified(_)).WillByDefault([this](bool m) { modified = m; });
    ON_CALL(*state, AnimationSettings()).WillByDefault([this] { return settings; });
    ON_CALL(*state, Scene()).WillByDefault(Return(scene));
    ON_CALL(*state, ActiveView()).WillByDefault([this]() -> outside::ViewPtr {
        return viewPresent ? view : nullptr;
    });
    ON_CALL(*scene, Groups()).WillByDefault(ReturnRef(groups));
    ON_CALL(*scene, Shapes()).WillByDefault(ReturnRef(shapes));
    ON_CALL(*scene, Lights()).WillByDefault(ReturnRef(lights));
    ON_CALL(*scene, Cameras()).WillByDefault(ReturnRef(cameras));
    ON_CALL(*scene, RootGroup()).WillByDefault(Return(rootGroup));
}

void PanelHarness::recordEvents()
{
    using animation::Animation;
    Animation* c = control.get();
    const auto note = [this, c](auto signal, const char* name) {
        QObject::connect(c, signal, [this, name] { events << QLatin1String(name); });
    };
    note(&Animation::evtreqButtonsEnable, "ButtonsEnable");
    note(&Animation::evtreqRenderAllViews, "RenderAllViews");
    note(&Animation::evtReqPrepareForSceneChanges, "PrepareForSceneChanges");
    note(&Animation::evtReqApplySceneChanges, "ApplySceneChanges");
    note(&Animation::Resize, "Resize");
    QObject::connect(c, &Animation::evtReqSetMode, [this](std::int32_t& m, bool& progress) {
        events << QStringLiteral("SetMode(%1,%2)").arg(m).arg(progress);
    });
    QObject::connect(c, &Animation::evtreqUpdateCameraPositions, [this](std::int16_t& ignore) {
        events << QStringLiteral("UpdateCameraPositions(%1)").arg(ignore);
    });
    QObject::connect(c, &Animation::evtReqWarn,
                     [this](QString& key, QString& text, QString& entry) {
                         events << QStringLiteral("Warn(%1)").arg(entry);
                         warnings << key + QLatin1Char('|') + text;
                     });
}

Nice<MockGroup> PanelHarness::addGroup(int number)
{
    auto group = nice<MockGroup>();
    ON_CALL(*group, Number()).WillByDefault(Return(number));
    ON_CALL(*group, Code()).WillByDefault(Return(number * 100 + 10));
    groups.Add(group, QString::number(number * 100 + 10));
    return group;
}

Nice<MockShape> PanelHarness::select(const outside::GroupPtr& group, int kind, int code)
{
    auto shape = nice<MockShape>();
    ON_CALL(*shape, ParentGroup()).WillByDefault(Return(group));
    ON_CALL(*shape, Kind()).WillByDefault(Return(kind));
    ON_CALL(*shape, Code()).WillByDefault(Return(code));
    selection.append(shape);
    return shape;
}

int PanelHarness::heightTwips() const
{
    return common::pixelsToTwips(control->height(), control->logicalDpiY());
}

void PanelHarness::start(std::int32_t inMode)
{
    bind();
    control->SetupPanel();
    control->SetModePrepare(inMode);
    events.clear();
}

} // namespace vellum::testing
