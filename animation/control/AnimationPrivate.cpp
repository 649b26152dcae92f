#include "AnimationPrivate.h"

#include "Animation.h"
#include "AnimationPropertiesDialog.h"
#include "AnimationWindow.h"
#include "AppUtility.h"
#include "ErrorRule.h"
#include "FlexGrid.h"
#include "ModuleState.h"
#include "PanelSettings.h"
#include "Recording.h"
#include "TrackBar.h"
#include "Twips.h"
#include "ValueConversion.h"
#include "XPButton.h"

namespace vellum::animation {

using outside::ignoreFailure;

AnimationPrivate::AnimationPrivate(Animation& control)
    : q(control), widgets(buildPanelWidgets(&control)), timeline(widgets),
      navigation(std::make_unique<FrameNavigation>(*this)), layout(*this), modes(*this),
      refresh(*this), scripts(*this), playback(*this), ghost(*this), keyTools(*this),
      keyEditing(*this), gridWork(*this), sequences(*this),
      recorder(std::make_unique<Recording>(*this))
{
    recording = &recorder->run();
    connectWidgets();
}

void AnimationPrivate::connectWidgets()
{
    QObject::connect(widgets.chkAnimate, &common::XPButton::Click, &q,
                     [this] { modes.onAnimateClicked(); });
    QObject::connect(widgets.chkAnimationTimeline, &common::XPButton::Click, &q,
                     [this] { layout.onTimelineToggled(); });
    QObject::connect(widgets.cmdAnimationTimelineLess, &common::XPButton::Click, &q,
                     [this] { layout.onTimelineLess(); });
    QObject::connect(widgets.cmdAnimationTimelineMore, &common::XPButton::Click, &q,
                     [this] { layout.onTimelineMore(); });
    QObject::connect(widgets.cmdAnimationProperties, &common::XPButton::Click, &q,
                     [this] { openAnimationProperties(*this); });
}

void AnimationPrivate::SetSceneGraph(outside::SceneGraphPtr sceneGraph, outside::ApplierPtr applier)
{
    if (module().gcCSG && !sceneGraph)
        saveTimelineSettings();
    bindModule(std::move(sceneGraph), std::move(applier));
    if (module().gcCSG && !bSettingsLoaded)
        loadSettingsOnce();
    if (module().gcCSG)
        layout.ArrangePanel();
}

void AnimationPrivate::saveTimelineSettings()
{
    saveSetting(SettingKey::TimelineRows, longText(lTimelineRows));
    saveSetting(SettingKey::TimelineChecked, booleanText(widgets.chkAnimationTimeline->Value()));
}

// Each step that fails leaves its default in place and the next one runs.
void AnimationPrivate::loadSettingsOnce()
{
    ModuleState& shared = module();
    ignoreFailure([&] { widgets.sldFrame->setEnabled(false); });
    ignoreFailure([&] {
        shared.lGhostPrecedingNumber = 50;
        shared.lGhostPrecedingNumber =
            toLong(readSetting(SettingKey::GhostPrecedingNumber, QStringLiteral("50")));
    });
    ignoreFailure([&] {
        shared.lGhostFollowingNumber = 50;
        shared.lGhostFollowingNumber =
            toLong(readSetting(SettingKey::GhostFollowingNumber, QStringLiteral("50")));
    });
    ignoreFailure([&] {
        lTimelineRows = toLong(readSetting(SettingKey::TimelineRows, QStringLiteral("5")));
    });
    ignoreFailure([&] {
        widgets.chkAnimationTimeline->setValue(
            toBoolean(readSetting(SettingKey::TimelineChecked, QStringLiteral("False"))));
    });
    bSettingsLoaded = true;
}

AnimationPrivate::~AnimationPrivate() = default;

RunWindow& AnimationPrivate::animationWindow()
{
    if (!m_animationWindow)
        m_animationWindow = std::make_unique<AnimationWindow>(&q);
    return *m_animationWindow;
}

void AnimationPrivate::unloadAnimationWindow()
{
    m_animationWindow.reset();
}

void AnimationPrivate::placeTimelineGrid(int heightTwips)
{
    common::FlexGrid& grid = *widgets.msgTimeline;
    grid.setGeometry(grid.x(), grid.y(), q.width() - grid.x(),
                     common::twipsToPixelsY(heightTwips, &q));
}

void AnimationPrivate::enableTimelineGrid(bool enabled)
{
    widgets.msgTimeline->setEnabled(enabled);
}

void AnimationPrivate::logTermination()
{
    ignoreFailure([] {
        outside::AppUtility& log = appUtility();
        log.WriteLine(QStringLiteral("Animation instance terminating"));
        log.WriteLine(QStringLiteral("Animation instance terminated"));
    });
}

} // namespace vellum::animation
