#pragma once

#include "Forward.h"
#include "FrameNavigation.h"
#include "GhostPlayback.h"
#include "KeyFrameEditing.h"
#include "KeyFrameTools.h"
#include "ModeSwitch.h"
#include "PanelLayout.h"
#include "PanelWidgets.h"
#include "Playback.h"
#include "SceneRefresh.h"
#include "ScriptRunner.h"
#include "Snapshot.h"
#include "TimelineGrid.h"
#include "TimelineInteraction.h"
#include "TimelineSequences.h"

#include <cstdint>
#include <memory>

namespace vellum::animation {

class Animation;
class AnimationWindow;
class Recording;
class RunRecording;
class RunWindow;

// The control's fields and widgets, and one object per concern.
class AnimationPrivate
{
public:
    explicit AnimationPrivate(Animation& control);
    ~AnimationPrivate();

    void SetSceneGraph(outside::SceneGraphPtr sceneGraph, outside::ApplierPtr applier);
    void logTermination();

    void HighlightTimelineColumn() { timeline.HighlightTimelineColumn(); }
    void BuildTimelineColumns() { timeline.BuildTimelineColumns(); }
    void placeTimelineGrid(int heightTwips);
    void enableTimelineGrid(bool enabled);

    Animation& q;
    PanelWidgets widgets;

    std::int32_t lTimelineRows = 0;
    bool bSettingsLoaded = false;
    bool bEnabled = true;
    std::int32_t udtPanel = 0;
    bool bGhostPlaying = false;

    TimelineGrid timeline;
    std::unique_ptr<FrameNavigation> navigation;
    PanelLayout layout;
    ModeSwitch modes;
    SceneRefresh refresh;
    ScriptRunner scripts;
    Playback playback;
    GhostPlayback ghost;
    KeyFrameTools keyTools;
    KeyFrameEditing keyEditing;
    TimelineInteraction gridWork;
    TimelineSequences sequences;
    // The record button, the preview, and what recording adds to a run.
    std::unique_ptr<Recording> recorder;
    RunRecording* recording = nullptr;
    Snapshot snapshot{*this};

    // The animation window, loaded on first use and unloaded at the end of a run.
    RunWindow& animationWindow();
    void unloadAnimationWindow();

private:
    std::unique_ptr<AnimationWindow> m_animationWindow;
    void saveTimelineSettings();
    void loadSettingsOnce();
    void connectWidgets();
};

} // namespace vellum::animation
