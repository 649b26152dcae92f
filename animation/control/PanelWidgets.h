#pragma once

#include "AutotestExport.h"

#include <QFrame>
#include <QGroupBox>
#include <array>
#include <initializer_list>

class QComboBox;
class QMenu;
class QAction;

namespace vellum::common {
class FlexGrid;
class ImageList;
class OptionGroup;
class TrackBar;
class UpDownText;
class XPButton;
} // namespace vellum::common

namespace vellum::animation {

// The panel's widgets, each carrying its name as objectName.
struct PanelWidgets
{
    common::XPButton* chkAnimate = nullptr;
    common::TrackBar* sldFrame = nullptr;
    common::UpDownText* txtAnimationTime = nullptr;

    QFrame* fraAnimationBand2 = nullptr;
    common::XPButton* cmdAnimationProperties = nullptr;
    common::XPButton* chkAnimationTimeline = nullptr;
    common::XPButton* cmdResetAll = nullptr;
    common::XPButton* cmdReset = nullptr;
    QFrame* fraKeyFrame = nullptr;
    common::OptionGroup* optKeyFrameType = nullptr;
    common::XPButton* chkRepeat = nullptr;
    QFrame* fraKeyFrameOperation = nullptr;
    common::OptionGroup* optKeyFrameOperationType = nullptr;
    common::XPButton* chkRepeatOperation = nullptr;
    common::XPButton* cmdCopyKeyFrameBackward = nullptr;
    common::XPButton* cmdCopyKeyFrameForward = nullptr;
    common::XPButton* cmdCopyKeyFrameOperationBackward = nullptr;
    common::XPButton* cmdCopyKeyFrameOperationForward = nullptr;

    QFrame* fraAnimationBand3 = nullptr;
    common::XPButton* cmdStart = nullptr;
    common::XPButton* cmdStepBack = nullptr;
    common::XPButton* cmdPlay = nullptr;
    common::XPButton* cmdStop = nullptr;
    common::XPButton* cmdStepForward = nullptr;
    common::XPButton* cmdEnd = nullptr;
    common::XPButton* chkAutoRepeat = nullptr;
    common::XPButton* cmdPlayFullScreen = nullptr;
    common::XPButton* cmdPlayGhost = nullptr;
    common::XPButton* cmdRecord = nullptr;

    common::FlexGrid* msgTimeline = nullptr;

    QGroupBox* fraSequence = nullptr;
    QComboBox* cboSequence = nullptr;
    common::XPButton* cmdSequenceRename = nullptr;
    common::XPButton* cmdSequenceAdd = nullptr;
    common::XPButton* cmdSequenceDelete = nullptr;
    common::XPButton* cmdSequenceRetrieve = nullptr;

    QGroupBox* fraTimeline = nullptr;
    common::XPButton* cmdAnimationTimelineLess = nullptr;
    common::XPButton* cmdAnimationTimelineMore = nullptr;
    common::XPButton* cmdTimelineKeyframeDelete = nullptr;

    // The timeline grid's pictures, by key.
    common::ImageList* ilsKeyFrame = nullptr; // KeyFrame, KeyFrameSegmentStart, Group, Closed, Open
    common::ImageList* ilsMiscellaneous = nullptr; // Camera, Light

    QMenu* mnuPopup = nullptr;
    QAction* mnuPopupCopytoNewFrame = nullptr;
    QAction* mnuPopupMovetoNewFrame = nullptr;
};

// Builds the panel's widgets inside the control, at their design places.
VELLUM_AUTOTEST_EXPORT PanelWidgets buildPanelWidgets(QWidget* control);

// The panel enables and disables its tools in sets.
VELLUM_AUTOTEST_EXPORT void setAllEnabled(std::initializer_list<QWidget*> widgets, bool enabled);

// Design geometry in twips, kept so that layout can be redone at any DPI.
inline constexpr int ButtonSizeTwips = 330;
inline constexpr int PanelRowHeightTwips = 360;

} // namespace vellum::animation
