#include "Playback.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "Group.h"
#include "ModuleState.h"
#include "PlaybackRun.h"
#include "Scene.h"
#include "XPButton.h"

namespace vellum::animation {

Playback::Playback(AnimationPrivate& panel) : m_panel(panel)
{
    const PanelWidgets& w = panel.widgets;
    QObject::connect(w.cmdPlay, &common::XPButton::Click, &panel.q,
                     [this] { play(outside::amPlay); });
    QObject::connect(w.cmdPlayFullScreen, &common::XPButton::Click, &panel.q,
                     [this] { play(outside::amPlayFullScreen); });
    QObject::connect(w.cmdStop, &common::XPButton::Click, &panel.q, [this] { stop(); });
}

void Playback::RunAnimation(int mode, const QString& fileName)
{
    outside::passOn([&] {
        PlaybackRun run(m_panel, mode, fileName);
        run.start();
        while (run.iterate()) {
        }
        run.finish();
    });
}

void Playback::play(int mode)
{
    outside::endQuietly([&] {
        module().recordAntiAlias = 0;
        RunAnimation(mode, QString());
        required(required(applicationState()->Scene())->RootGroup())->RefreshTree(true);
        emit m_panel.q.evtreqButtonsEnable();
    });
}

void Playback::stop()
{
    outside::endQuietly([&] {
        const outside::ApplicationStatePtr state = applicationState();
        required(required(state->Scene())->RootGroup())->RefreshTree(true);
        state->setAnimationRunning(false);
    });
}

} // namespace vellum::animation
