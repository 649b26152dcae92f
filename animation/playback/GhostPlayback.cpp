#include "GhostPlayback.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "GhostOptionsDialog.h"
#include "GraphicsUtility.h"
#include "Group.h"
#include "ModuleState.h"
#include "MouseCodes.h"
#include "Platform.h"
#include "Scene.h"
#include "TrackBar.h"
#include "XPButton.h"

namespace vellum::animation {

namespace {

enum GhostState : std::int32_t
{
    GhostOver = 0,
    GhostPlaying = 1,
    GhostPlayed = 2
};

struct SliderState
{
    bool selectRange;
    std::int32_t value;
    std::int32_t selStart;
    std::int32_t selLength;
};

} // namespace

GhostRange ghostRange(std::int32_t value, std::int32_t max, std::int32_t preceding,
                      std::int32_t following)
{
    GhostRange range;
    if (value >= preceding) {
        range.selStart = value - preceding;
        range.selLength = preceding;
    } else {
        range.selStart = 0;
        range.selLength = value;
    }
    range.selLength += value <= max - following ? following : max - value;
    return range;
}

GhostPlayback::GhostPlayback(AnimationPrivate& panel) : m_panel(panel)
{
    common::XPButton* ghost = panel.widgets.cmdPlayGhost;
    QObject::connect(ghost, &common::XPButton::Click, &panel.q, [this] { play(); });
    QObject::connect(ghost, &common::XPButton::MouseDown, &panel.q,
                     [this](int button, int, float, float) { showOptions(button); });
}

void GhostPlayback::play()
{
    outside::endQuietly([&] {
        const outside::ApplicationStatePtr state = applicationState();
        const outside::ScenePtr scene = required(state->Scene());
        m_panel.bGhostPlaying = true;
        module().recordAntiAlias = 0;

        common::TrackBar& slider = *m_panel.widgets.sldFrame;
        const SliderState saved{slider.SelectRange(), slider.Value(), slider.SelStart(),
                                slider.SelLength()};
        slider.setSelectRange(true);
        const GhostRange range =
            ghostRange(saved.value, slider.Max(), module().lGhostPrecedingNumber,
                       module().lGhostFollowingNumber);
        slider.setSelStart(range.selStart);
        slider.setSelLength(range.selLength);
        slider.setValue(slider.SelStart());

        state->setGhostState(GhostPlaying);
        m_panel.playback.RunAnimation(outside::amGhost, QString());
        state->setGhostState(GhostPlayed);

        slider.setSelectRange(saved.selectRange);
        slider.setSelStart(saved.selStart);
        slider.setSelLength(saved.selLength);
        slider.setValue(saved.value);

        m_panel.q.RefreshScene();
        m_panel.bGhostPlaying = false;
        required(scene->RootGroup())->RefreshTree(true);
        emit m_panel.q.evtreqButtonsEnable();
        state->setGhostState(GhostOver);
        graphicsUtility().GhostDelay(1000);
    });
}

void GhostPlayback::showOptions(int button)
{
    if (button != common::MouseCode::RightButton)
        return;
    outside::endQuietly([&] {
        GhostOptionsDialog dialog(&m_panel.q);
        outside::platform().ShowModal(dialog);
    });
}

} // namespace vellum::animation
