#pragma once

#include <QObject>
#include <cstdint>

namespace vellum::animation {

class AnimationPrivate;
struct PanelWidgets;

// The current frame: the frame slider, its working sub-range, the start, end and step buttons and
// the typed time. Every move of the slider by code goes through SetSliderPosition.
class FrameNavigation : public QObject
{
public:
    explicit FrameNavigation(AnimationPrivate& panel);

    void SetupPanel();
    void sldFrameChange(bool bValidateRange, bool bUpdateProgressBar);
    void SetSliderPosition(std::int32_t frame);
    // SelStart 0, then SelLength Max: the whole animation.
    void resetSelection();
    bool isOutsideSelection(std::int32_t frame) const;
    bool selectingSubRange() const { return m_selectingSubRange; }

private:
    void connectWidgets();
    void onSliderMouseDown(int button, int shift);
    void onSliderChange();
    void onSliderMouseUp(int shift);
    void onTimeCommitted();
    // Runs a navigation button's move, then refreshes the tree and asks for the buttons' states.
    void navigate(std::int32_t frame);
    void showTimeOf(std::int32_t frame);
    void raiseUpdateCameraPositions();

    AnimationPrivate& m_panel;
    const PanelWidgets& m_widgets;
    bool m_selectingSubRange = false;
};

} // namespace vellum::animation
