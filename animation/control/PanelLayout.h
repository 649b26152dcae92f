#pragma once

#include <cstdint>

namespace vellum::animation {

class AnimationPrivate;

// The panel's height follows the timeline: one row of buttons, or the row and the grid below.
namespace PanelGeometry {
inline constexpr int RowHeightTwips = 360;
inline constexpr int TimelineRowTwips = 240;
inline constexpr int TimelineTopTwips = 420;
inline constexpr int TimelineLeftTwips = 3390;
inline constexpr int MinimumTimelineRows = 5;
inline constexpr int MaximumTimelineRows = 20;

int sliderWidthTwips(int controlWidthTwips, int sliderLeftTwips);
int timelineHeightTwips(std::int32_t timelineRows);
int panelHeightTwips(bool timelineShown, std::int32_t timelineRows);
} // namespace PanelGeometry

class PanelLayout
{
public:
    explicit PanelLayout(AnimationPrivate& panel) : m_panel(panel) {}

    void ArrangePanel();
    void ArrangeButtonRow();
    // The timeline toggles: show or hide the grid, one row less or more.
    void onTimelineToggled();
    void onTimelineLess();
    void onTimelineMore();

private:
    void enableTimelineSizeButtons(bool animationMode);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
