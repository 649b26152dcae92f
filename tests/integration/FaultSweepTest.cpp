// Every public operation and every widget handler of the panel, run over a small scene once per
// outside call n, with call n failing: raising an error, or handing back Nothing. An operation
// passes the failure on as it came (91 for Nothing), a handler ends quietly, nothing crashes.
//
// To cover a new operation or handler, add a row to sweepRows(): what is selected, whether it is
// a public operation, and what it does to the panel.

#include "Animation.h"
#include "FakeScriptEngine.h"
#include "FaultyOutside.h"
#include "ModuleState.h"
#include "ScriptedPlatform.h"
#include "StudioApplier.h"
#include "StudioViewport.h"
#include "ViewportWidget.h"
#include "Widgets.h"
#include "XPButton.h"

#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <sg/OperationType.h>
#include <sg/RememberingView.h>
#include <sg/SceneGraph.h>

namespace vellum::testing {
namespace {

using animation::Animation;
using Fault = FaultPlan::Fault;

// clang-format off
enum class Selected { Nothing, Shape, Light, Camera, Operation };
// clang-format on

constexpr int Device = 1;

// A small scene with one of everything the panel works on, bound to a fresh panel.
class SweepWorld
{
public:
    SweepWorld(Animation& panel, Selected selected) : control(panel)
    {
        outside::setPlatform(faulty(std::shared_ptr<outside::Platform>(settings)));
        outside::setViewportFactory([](QWidget* parent) {
            return faulty(std::make_unique<studio::StudioViewport>(parent));
        });
        // Scripts without JavaScript, whose watchdog thread would cost more than the whole run:
        // a script that says "fail" fails at line 2.
        graph->setScriptEngineFactory(sg::ScriptEngineFactory([](const QString& text) {
            auto engine = std::make_shared<FakeScriptEngine>();
            if (text.contains(QStringLiteral("fail")))
                engine->failure = {5, 2, 1, QStringLiteral("Invalid procedure call or argument")};
            return engine;
        }));
        buildScene();
        select(selected);
        answerAsTheHost();
        control.SetSceneGraph(sceneGraph, faulty(outside::ApplierPtr(applier)));
        control.SetupPanel();
        control.SetModePrepare(outside::ModeAnimation);
        if (!child<common::XPButton>(control, "chkAnimationTimeline").Value())
            click("chkAnimationTimeline");
        child<common::TrackBar>(control, "sldFrame").setValue(2);
        scene = sceneGraph->ApplicationState()->Scene();
        shape = scene->Shapes().Item(QString::number(m_box->Code()));
        light = scene->Lights().Item(1);
        camera = scene->Cameras().Item(1);
        group = scene->Groups().Item(1);
    }

    ~SweepWorld()
    {
        faultPlan().disarm();
        QObject::disconnect(&control, nullptr, &m_host, nullptr);
        animation::resetModule();
        outside::setViewportFactory(nullptr);
        outside::setPlatform(nullptr);
    }

    void click(const char* name, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        auto& widget = child(control, name);
        // Straight to the button: a click through the window would land on whatever covers it.
        const QPointF centre = QRectF(widget.rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, centre, widget.mapToGlobal(centre), button,
                              type == QEvent::MouseButtonPress ? button : Qt::NoButton, modifiers);
            QCoreApplication::sendEvent(&widget, &event);
        }
    }

    // The snapshot's options confirmed and its file chosen, as a person would.
    void answerSnapshot()
    {
        settings->answerDialog([](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            return dialog.result();
        });
        static const QTemporaryDir folder;
        graph->answerSaveDialogs([](const QString&, const QString&) {
            return folder.filePath(QStringLiteral("a.bmp"));
        });
        settings->answerMsgBox(outside::MsgBoxResult::OK);
    }

    std::shared_ptr<ScriptedPlatform> settings = std::make_shared<ScriptedPlatform>();
    std::shared_ptr<sg::SceneGraph> graph = std::make_shared<sg::SceneGraph>();
    std::shared_ptr<studio::StudioApplier> applier = std::make_shared<studio::StudioApplier>();
    outside::SceneGraphPtr sceneGraph = faulty(outside::SceneGraphPtr(graph));
    // The panel's view of the scene, taken before any fault.
    outside::ScenePtr scene;
    outside::ShapePtr shape;
    outside::LightPtr light;
    outside::CameraPtr camera;
    outside::GroupPtr group;
    // What the script runners write back.
    bool changed = false;
    std::int32_t device = Device;
    Animation& control;

private:
    // Keys at frames 0 to 3 and closed loops everywhere, so that every key tool is enabled at
    // frame 2.
    void buildScene()
    {
        auto state = graph->applicationState();
        auto animation = state->AnimationSettings();
        animation.Keys = 4;
        state->setAnimationSettings(animation);
        state->setSceneDeviceID(Device);
        state->setActiveView(std::make_shared<sg::RememberingView>());
        const auto s = graph->scene();
        const auto arm = s->addGroup(1, QStringLiteral("Arm"));
        const auto hand = s->addGroup(2, QStringLiteral("Hand"), arm);
        const auto eye = s->addGroup(3, QStringLiteral("Eye"));
        arm->setScript(QStringLiteral("function AnimateGroup(frame, group) {}"));
        eye->LookAt(hand, 0);
        m_box = s->addShape(sg::ShapeKind::Box, QStringLiteral("Box"), arm);
        m_box->setScript(QStringLiteral("fail"));
        m_lamp = s->addLight(1, QStringLiteral("Lamp"));
        m_lamp->setScript(QStringLiteral("function AnimateLight(frame, light) {}"));
        const auto camera = s->animationCamera();
        camera->setParentGroup(eye);
        m_pulse = s->addOperationComponent(QStringLiteral("Pulse"), hand);
        const auto grow =
            s->addOperation(m_pulse, sg::OperationType::Scale, QStringLiteral("Grow"), m_box);
        s->setActiveOperation(grow);
        const std::initializer_list<outside::Keyframed*> keyed = {arm.get(), m_lamp.get(),
                                                                  camera.get(), grow.get()};
        for (outside::Keyframed* component : keyed) {
            for (int frame = 0; frame <= 3; ++frame)
                component->SetKeyFrame(frame == 0, float(frame));
            component->setLoopMode(outside::LoopClosed);
        }
    }

    void select(Selected selected)
    {
        if (selected == Selected::Light)
            graph->selectLight(Device, m_lamp);
        else if (selected == Selected::Camera)
            graph->selectCamera(Device, graph->scene()->animationCamera());
        else if (selected != Selected::Nothing)
            graph->select(Device, selected == Selected::Shape ? m_box : m_pulse);
    }

    // What a host does on the panel's requests, tolerating the panel's refusals.
    void answerAsTheHost()
    {
        const auto tolerate = [](auto work) {
            try {
                work();
            } catch (const Error&) {
            }
        };
        QObject::connect(&control, &Animation::evtreqButtonsEnable, &m_host,
                         [this, tolerate] { tolerate([this] { control.ButtonsEnable(); }); });
        QObject::connect(&control, &Animation::evtReqSetMode, &m_host,
                         [this, tolerate](std::int32_t& mode, bool&) {
                             graph->applicationState()->setMode(mode);
                             tolerate([this, mode] { control.SetModePrepare(mode); });
                         });
    }

    QObject m_host; // holds the answers
    std::shared_ptr<sg::Shape> m_box;
    std::shared_ptr<sg::Light> m_lamp;
    std::shared_ptr<sg::Shape> m_pulse;
};

struct SweepRow
{
    const char* name;
    Selected selected;
    bool operation; // a public operation passes failures on; a handler ends quietly
    std::function<void(SweepWorld&)> run;
    std::function<void(SweepWorld&)> prepare = {}; // before the count starts
};

std::vector<SweepRow> sweepRows()
{
    using W = SweepWorld;
    using enum Selected;
    const auto op = [](const char* name, Selected selected, std::function<void(W&)> run) {
        return SweepRow{name, selected, true, std::move(run)};
    };
    // A click on the named widget (the row's name unless given).
    const auto clicks = [](const char* name, Selected selected, const char* widget = nullptr,
                           Qt::MouseButton button = Qt::LeftButton,
                           Qt::KeyboardModifiers keys = {}) {
        const char* target = widget ? widget : name;
        return SweepRow{name, selected, false, [=](W& w) { w.click(target, button, keys); }};
    };
    const auto clickAfter = [](const char* name, const char* first) {
        return SweepRow{name, Shape, false, [=](W& w) { w.click(name); },
                        [=](W& w) { w.click(first); }};
    };
    const auto buttonsEnable = [](W& w) { w.control.ButtonsEnable(); };
    const auto prepareTimeLine = [](W& w) { w.control.PrepareTimeLine(); };
    // clang-format off
    return {
        op("SetSceneGraph (unbind)", Shape, [](W& w) { w.control.SetSceneGraph(nullptr, nullptr); }),
        op("SetSceneGraph (rebind)", Shape, [](W& w) { w.control.SetSceneGraph(w.sceneGraph, nullptr); }),
        op("SetModePrepare off", Shape, [](W& w) { w.control.SetModePrepare(outside::ModeAnimationOff); }),
        op("SetModePrepare on", Shape, [](W& w) { w.control.SetModePrepare(outside::ModeAnimation); }),
        op("sldFrameChange", Shape, [](W& w) { w.control.sldFrameChange(true, true); }),
        op("RestoreShapeState", Shape, [](W& w) { w.control.RestoreShapeState(w.shape, true); }),
        op("HaltAnimation", Nothing, [](W& w) { w.control.HaltAnimation(); }),
        op("ButtonsEnable (shape)", Shape, buttonsEnable),
        op("ButtonsEnable (light)", Light, buttonsEnable),
        op("ButtonsEnable (camera)", Camera, buttonsEnable),
        op("ButtonsEnable (operation)", Operation, buttonsEnable),
        op("TimelineActiveStateChange", Shape, [](W& w) { w.control.TimelineActiveStateChange(); }),
        op("ReloadTimelineKeyFrames", Operation, [](W& w) { w.control.ReloadTimelineKeyFrames(); }),
        op("PrepareTimeLine (shape)", Shape, prepareTimeLine),
        op("PrepareTimeLine (light)", Light, prepareTimeLine),
        op("PrepareTimeLine (camera)", Camera, prepareTimeLine),
        op("bGetAnimationKeyFrameStatus", Nothing, [](W& w) { w.control.bGetAnimationKeyFrameStatus(w.group, 2.0f); }),
        op("SetupPanel", Shape, [](W& w) { w.control.SetupPanel(); }),
        op("RefreshScene", Shape, [](W& w) { w.control.RefreshScene(); }),
        op("ApplyLookAts", Nothing, [](W& w) { w.control.ApplyLookAts(); }),
        op("RunGroupScript", Nothing, [](W& w) { w.control.RunGroupScript(w.sceneGraph, 1, w.group, w.changed, Device); }),
        op("RunShapeScript", Nothing, [](W& w) { w.control.RunShapeScript(w.sceneGraph, w.shape, Device, w.changed); }),
        op("RunLightScript", Nothing, [](W& w) { w.control.RunLightScript(w.sceneGraph, w.light, w.changed, w.device); }),
        op("RunCameraScript", Nothing, [](W& w) { w.control.RunCameraScript(w.sceneGraph, w.camera, w.changed, w.device); }),
        clicks("chkAnimate", Shape),
        clickAfter("chkAnimationTimeline", "chkAnimationTimeline"),
        clicks("cmdAnimationTimelineMore", Shape),
        clickAfter("cmdAnimationTimelineLess", "cmdAnimationTimelineMore"),
        {"sldFrame drag", Shape, false, [](W& w) {
             auto& slider = child<common::TrackBar>(w.control, "sldFrame");
             dragSlider(slider, slider.Value(), 3);
         }},
        {"txtAnimationTime", Shape, false, [](W& w) {
             typeInto(child<common::UpDownText>(w.control, "txtAnimationTime"), QStringLiteral("0.3"));
         }},
        clicks("cmdEnd", Shape),
        clicks("cmdStepForward", Shape),
        clicks("cmdStart", Camera),
        clicks("cmdStepBack", Shape),
        clicks("optKeyFrameType (shape)", Shape, "optKeyFrameType_0"),
        clicks("optKeyFrameType (light)", Light, "optKeyFrameType_2"),
        clicks("optKeyFrameType (camera)", Camera, "optKeyFrameType_1"),
        clicks("optKeyFrameOperationType", Operation, "optKeyFrameOperationType_2"),
        clicks("chkRepeat", Shape),
        clicks("chkRepeatOperation (light)", Light, "chkRepeatOperation"),
        clicks("chkRepeatOperation", Operation),
        clicks("cmdCopyKeyFrameForward", Shape),
        clicks("cmdCopyKeyFrameForward (right)", Shape, "cmdCopyKeyFrameForward", Qt::RightButton),
        clicks("cmdCopyKeyFrameOperationForward (camera)", Camera, "cmdCopyKeyFrameOperationForward"),
        clicks("cmdCopyKeyFrameOperationForward (Alt)", Operation, "cmdCopyKeyFrameOperationForward", Qt::LeftButton, Qt::AltModifier),
        clicks("cmdReset", Shape),
        clicks("cmdResetAll", Shape),
        clicks("cmdPlay", Shape),
        clicks("cmdPlayFullScreen", Shape),
        clicks("cmdPlayGhost", Shape),
        clicks("cmdPlayGhost (options)", Shape, "cmdPlayGhost", Qt::RightButton),
        clicks("cmdStop", Shape),
        op("picCreatePreview", Shape, [](W& w) { w.control.picCreatePreview(); }),
        clicks("cmdRecord", Shape),
        {"CreateSnapshot", Shape, true, [](W& w) { w.control.CreateSnapshot(); }, [](W& w) { w.answerSnapshot(); }},
        {"destruction", Shape, false, [](W& w) {
             Animation doomed;
             try {
                 doomed.SetSceneGraph(w.sceneGraph, nullptr);
             } catch (const Error&) {
             }
         }},
    };
    // clang-format on
}

// What the process was doing, for a crash report.
std::string g_currentRun;

// Runs the row in a fresh world with call n failing (none for n = 0); gives what went wrong.
QStringList runOnce(Animation& panel, const SweepRow& row, int n, Fault fault)
{
    g_currentRun = std::string(row.name) + ", call " + std::to_string(n) +
                   (fault == Fault::Error ? " failing" : " giving Nothing");
    SweepWorld world(panel, row.selected);
    if (row.prepare)
        row.prepare(world);
    faultPlan().arm(n, fault);
    const Error expected =
        fault == Fault::Error ? FaultPlan::injectedError() : Error::objectNotSet();
    QStringList problems;
    try {
        row.run(world);
    } catch (const Error& error) {
        // Passed on means ended there: nothing after the failing call, so nothing undone.
        if (n == 0 || !row.operation)
            problems << QStringLiteral("let %1 \"%2\" escape")
                            .arg(error.number())
                            .arg(error.description());
        else if (error.source() != QStringLiteral("AnimationPanel") ||
                 error.number() != expected.number() ||
                 error.description() != expected.description())
            problems << QStringLiteral("passed on %1 \"%2\" from %3")
                            .arg(error.number())
                            .arg(error.description(), error.source());
        else if (!faultPlan().callsAfterFault().isEmpty())
            problems
                << QStringLiteral("went on with %1").arg(faultPlan().callsAfterFault().join(u' '));
    } catch (const std::exception& other) {
        problems << QStringLiteral("threw %1").arg(QString::fromUtf8(other.what()));
    }
    faultPlan().disarm();
    return problems;
}

// Runs the row with call n failing for n = 1, 2, ... until a run ends without reaching n;
// the Nothing runs only where call n hands back an object. Gives the number of runs.
int sweep(const SweepRow& row, QStringList& problems)
{
    Animation panel;
    panel.setAttribute(Qt::WA_DontShowOnScreen);
    panel.resize(1200, 200);
    panel.show();
    const auto report = [&](int n, Fault fault) {
        for (const QString& problem : runOnce(panel, row, n, fault))
            problems << QStringLiteral("%1, call %2 %3: %4")
                            .arg(QLatin1String(row.name))
                            .arg(n)
                            .arg(fault == Fault::Error ? QStringLiteral("failing")
                                                       : QStringLiteral("giving Nothing"),
                                 problem);
    };
    report(0, Fault::Error);
    if (faultPlan().calls() == 0)
        problems << QStringLiteral("%1: reaches no outside call").arg(QLatin1String(row.name));
    QList<int> objectCalls;
    for (int n = 1; n <= faultPlan().calls(); ++n)
        if (faultPlan().returnsObject(n))
            objectCalls << n;
    int runs = 0;
    for (bool reached = true; reached;) {
        report(++runs, Fault::Error);
        reached = faultPlan().reachedFault();
    }
    for (int n : objectCalls)
        report(n, Fault::Nothing);
    return runs + int(objectCalls.size());
}

TEST(FaultSweepTest, EveryOperationAndHandlerSurvivesEveryOutsideFailure)
{
    const auto tell = [](int) {
        std::cerr << "\ncrashed during: " << g_currentRun << std::endl;
        std::_Exit(1);
    };
    std::signal(SIGSEGV, tell);
    std::signal(SIGABRT, tell);
    QStringList problems;
    int runs = 0;
    const auto rows = sweepRows();
    // A part of a row's name runs only the rows that hold it, each with its count.
    const QString only = qEnvironmentVariable("VELLUM_SWEEP_ONLY");
    for (const SweepRow& row : rows)
        if (QLatin1String(row.name).contains(only)) {
            const int rowRuns = sweep(row, problems);
            runs += rowRuns;
            if (!only.isEmpty())
                std::cout << row.name << ": " << rowRuns << " runs" << std::endl;
        }
    std::cout << "fault sweep: " << runs << " runs over " << rows.size()
              << " operations and handlers" << std::endl;
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

} // namespace
} // namespace vellum::testing
