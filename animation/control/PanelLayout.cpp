#include "PanelLayout.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "ModuleState.h"
#include "TrackBar.h"
#include "Twips.h"
#include "XPButton.h"

namespace vellum::animation {

namespace PanelGeometry {

int sliderWidthTwips(int controlWidthTwips, int sliderLeftTwips)
{
    const int width = controlWidthTwips - sliderLeftTwips + 30;
    return width < 11 ? 10 : width;
}

int timelineHeightTwips(std::int32_t timelineRows)
{
    return timelineRows * TimelineRowTwips + 30;
}

int panelHeightTwips(bool timelineShown, std::int32_t timelineRows)
{
    return timelineShown ? TimelineTopTwips + timelineHeightTwips(timelineRows) : RowHeightTwips;
}

} // namespace PanelGeometry

void PanelLayout::ArrangePanel()
{
    outside::passOn([&] {
        ArrangeButtonRow();
        Animation& control = m_panel.q;
        common::TrackBar* slider = m_panel.widgets.sldFrame;
        const int sliderLeftTwips = common::pixelsToTwips(slider->x(), control.logicalDpiX());
        const int sliderWidth = PanelGeometry::sliderWidthTwips(
            common::pixelsToTwips(control.width(), control.logicalDpiX()), sliderLeftTwips);
        slider->resize(common::twipsToPixelsX(sliderWidth, &control), slider->height());

        const bool timelineShown = m_panel.widgets.chkAnimationTimeline->Value();
        if (timelineShown) {
            enableTimelineSizeButtons(applicationState()->Mode() == outside::ModeAnimation);
            m_panel.placeTimelineGrid(PanelGeometry::timelineHeightTwips(m_panel.lTimelineRows));
        }
        const int heightTwips =
            PanelGeometry::panelHeightTwips(timelineShown, m_panel.lTimelineRows);
        control.setFixedHeight(common::twipsToPixelsY(heightTwips, &control));
    });
}

void PanelLayout::ArrangeButtonRow()
{
    if (module().gcCSG)
        m_panel.widgets.chkAnimationTimeline->setVisible(true);
}

void PanelLayout::enableTimelineSizeButtons(bool animationMode)
{
    const std::int32_t rows = m_panel.lTimelineRows;
    m_panel.widgets.cmdAnimationTimelineLess->setEnabled(
        rows > PanelGeometry::MinimumTimelineRows && animationMode);
    m_panel.widgets.cmdAnimationTimelineMore->setEnabled(
        rows < PanelGeometry::MaximumTimelineRows && animationMode);
}

void PanelLayout::onTimelineToggled()
{
    outside::endQuietly([&] {
        ArrangePanel();
        emit m_panel.q.Resize();
    });
}

void PanelLayout::onTimelineLess()
{
    outside::endQuietly([&] {
        --m_panel.lTimelineRows;
        ArrangePanel();
        emit m_panel.q.Resize();
    });
}

void PanelLayout::onTimelineMore()
{
    outside::endQuietly([&] {
        ++m_panel.lTimelineRows;
        ArrangePanel();
        emit m_panel.q.Resize();
    });
}

} // namespace vellum::animation
