#include "PanelHarness.h"

#include "ModuleState.h"
#include "XPButton.h"

#include <QTest>

namespace vellum::testing {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;
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
    control.reset();
    animation::resetModule();
    outside::setPlatform(nullptr);
}

void PanelHarness::wireState()
{
    ON_CALL(*sceneGraph, ApplicationState()).WillByDefault(Return(state));
    ON_CALL(*sceneGraph, CreateAppUtility()).WillByDefault(Return(appUtility));
    ON_CALL(*sceneGraph, CreateAnimationCommands()).WillByDefault(Return(commands));
    ON_CALL(*state, RegistryKey()).WillByDefault(Invoke([this] { return registryKey; }));
    ON_CALL(*state, Mode()).WillByDefault(Invoke([this] { return mode; }));
    ON_CALL(*state, setMode(_)).WillByDefault(Invoke([this](std::int32_t m) { mode = m; }));
    ON_CALL(*state, CurrentFrame()).WillByDefault(Invoke([this] { return currentFrame; }));
    ON_CALL(*state, setCurrentFrame(_)).WillByDefault(Invoke([this](float f) {
        currentFrame = f;
    }));
    ON_CALL(*state, AnimationRunning()).WillByDefault(Invoke([this] { return animationRunning; }));
    ON_CALL(*state, setAnimationRunning(_)).WillByDefault(Invoke([this](bool running) {
        animationRunning = running;
    }));
    ON_CALL(*state, RenderingSuspended()).WillByDefault(Invoke([this] {
        return renderingSuspended;
    }));
    ON_CALL(*state, Modified()).WillByDefault(Invoke([this] { return modified; }));
    ON_CALL(*state, setModified(_)).WillByDefault(Invoke([this](bool m) { modified = m; }));
    ON_CALL(*state, AnimationSettings()).WillByDefault(Invoke([this] { return settings; }));
    ON_CALL(*state, Scene()).WillByDefault(Return(scene));
    ON_CALL(*state, ActiveView()).WillByDefault(Invoke([this]() -> outside::ViewPtr {
        return viewPresent ? view : nullptr;
    }));
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

std::shared_ptr<NiceMock<MockGroup>> PanelHarness::addGroup(int number)
{
    auto group = std::make_shared<NiceMock<MockGroup>>();
    ON_CALL(*group, Number()).WillByDefault(Return(number));
    ON_CALL(*group, Code()).WillByDefault(Return(number * 100 + 10));
    groups.Add(group, QString::number(number * 100 + 10));
    return group;
}

void PanelHarness::bind()
{
    control->SetSceneGraph(sceneGraph, applier);
}

void PanelHarness::unbind()
{
    control->SetSceneGraph(nullptr, nullptr);
}

void PanelHarness::setActiveView(bool present)
{
    viewPresent = present;
}

common::TrackBar& PanelHarness::slider() const
{
    return widget<common::TrackBar>("sldFrame");
}

QPoint PanelHarness::pointOfFrame(int frame) const
{
    const common::TrackBar& s = slider();
    const common::TrackBarGeometry geometry(s.size(), s.Min(), s.Max());
    return QPoint(qRound(geometry.xOf(frame)), geometry.thumbRect(frame).toRect().center().y());
}

void PanelHarness::dragSlider(int fromFrame, int toFrame, Qt::KeyboardModifiers pressModifiers,
                              Qt::KeyboardModifiers releaseModifiers)
{
    common::TrackBar& s = slider();
    QTest::mousePress(&s, Qt::LeftButton, pressModifiers, pointOfFrame(fromFrame));
    QTest::mouseMove(&s, pointOfFrame(toFrame));
    QTest::mouseRelease(&s, Qt::LeftButton, releaseModifiers, pointOfFrame(toFrame));
}

void PanelHarness::clickButton(const char* name)
{
    QTest::mouseClick(&widget<common::XPButton>(name), Qt::LeftButton);
}

} // namespace vellum::testing
