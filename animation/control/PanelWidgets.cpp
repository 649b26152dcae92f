#include "PanelWidgets.h"

#include "FlexGrid.h"
#include "ImageList.h"
#include "OptionGroup.h"
#include "PanelImages.h"
#include "TrackBar.h"
#include "Twips.h"
#include "UpDownText.h"
#include "XPButton.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace vellum::animation {

namespace {

using common::XPButton;

const char* const DesignGeometryProperty = "designGeometryTwips";

// Remembers where the widget was designed and puts it there for the present DPI.
void place(QWidget* widget, int leftTwips, int topTwips, int widthTwips, int heightTwips)
{
    widget->setProperty(DesignGeometryProperty,
                        QRect(leftTwips, topTwips, widthTwips, heightTwips));
    widget->setGeometry(
        common::twipsToPixelsX(leftTwips, widget), common::twipsToPixelsY(topTwips, widget),
        common::twipsToPixelsX(widthTwips, widget), common::twipsToPixelsY(heightTwips, widget));
}

template <typename Widget>
Widget* named(Widget* widget, const char* name, const QString& toolTip = {})
{
    widget->setObjectName(QLatin1String(name));
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

XPButton* button(QWidget* parent, const char* name, const QString& toolTip, int leftTwips,
                 int topTwips = 0)
{
    auto* widget = named(new XPButton(parent), name, toolTip);
    widget->setImage(panelImage(QLatin1String(name)));
    place(widget, leftTwips, topTwips, ButtonSizeTwips, ButtonSizeTwips);
    return widget;
}

XPButton* toggle(QWidget* parent, const char* name, const QString& toolTip, int leftTwips,
                 int topTwips = 0)
{
    XPButton* widget = button(parent, name, toolTip, leftTwips, topTwips);
    widget->setToggle(true);
    return widget;
}

QFrame* band(QWidget* parent, const char* name, int leftTwips, int topTwips, int widthTwips,
             int heightTwips)
{
    auto* frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::NoFrame);
    place(frame, leftTwips, topTwips, widthTwips, heightTwips);
    return frame;
}

common::OptionGroup* optionGroup(QFrame* frame, const char* name,
                                 const std::array<QString, 3>& toolTips)
{
    auto* group = new common::OptionGroup(frame);
    group->setObjectName(QLatin1String(name));
    for (int index = 0; index < 3; ++index) {
        const QByteArray buttonName = QByteArray(name) + '_' + QByteArray::number(index);
        XPButton* option =
            toggle(frame, buttonName.constData(), toolTips[size_t(index)], index * 345);
        option->setImage(panelImage(QStringLiteral("optKeyFrameType_%1").arg(index)));
        group->addButton(option);
    }
    return group;
}

void buildKeyFrameBand(QWidget* control, PanelWidgets& w)
{
    w.fraAnimationBand2 = band(control, "fraAnimationBand2", 525, 15, 4485, 345);
    QFrame* band2 = w.fraAnimationBand2;
    w.cmdAnimationProperties =
        button(band2, "cmdAnimationProperties", QStringLiteral("Animation Options"), 0);
    w.chkAnimationTimeline =
        toggle(band2, "chkAnimationTimeline", QStringLiteral("Animation timeline"), 345);
    w.chkAnimationTimeline->hide();
    w.cmdResetAll = button(band2, "cmdResetAll",
                           QStringLiteral("Reset All Animation Positions and Orientations"), 810);
    w.cmdReset =
        button(band2, "cmdReset",
               QStringLiteral("Reset Component's Animation Positions and Orientations"), 1155);

    w.fraKeyFrame = band(band2, "fraKeyFrame", 1620, 0, 1020, 330);
    w.optKeyFrameType = optionGroup(w.fraKeyFrame, "optKeyFrameType",
                                    {QStringLiteral("No Key Frame"), QStringLiteral("Key Frame"),
                                     QStringLiteral("First Key Frame of Path or Sub-Path")});
    w.chkRepeat = toggle(band2, "chkRepeat", QStringLiteral("Repeat Animation"), 2655);

    w.fraKeyFrameOperation = band(band2, "fraKeyFrameOperation", 3120, 0, 1020, 330);
    w.optKeyFrameOperationType =
        optionGroup(w.fraKeyFrameOperation, "optKeyFrameOperationType",
                    {QStringLiteral("No Operation/Light/Camera Key Frame"),
                     QStringLiteral("Operation/Light/Camera Key Frame"),
                     QStringLiteral("First Operation/Light/Camera Key Frame of Path or Sub-Path")});
    w.chkRepeatOperation = toggle(band2, "chkRepeatOperation",
                                  QStringLiteral("Repeat Operation/Light/Camera Animation"), 4155);

    w.cmdCopyKeyFrameBackward =
        button(band2, "cmdCopyKeyFrameBackward",
               QStringLiteral("Copy/Move Key Frame To Previous Time"), 4350);
    w.cmdCopyKeyFrameForward = button(band2, "cmdCopyKeyFrameForward",
                                      QStringLiteral("Copy/Move Key Frame To Next Time"), 4650);
    w.cmdCopyKeyFrameOperationBackward =
        button(band2, "cmdCopyKeyFrameOperationBackward",
               QStringLiteral("Copy/Move Operation Key Frame To Previous Time"), 4950);
    w.cmdCopyKeyFrameOperationForward =
        button(band2, "cmdCopyKeyFrameOperationForward",
               QStringLiteral("Copy/Move Operation Key Frame To Next Time"), 5250);
    for (XPButton* hidden : {w.cmdCopyKeyFrameBackward, w.cmdCopyKeyFrameForward,
                             w.cmdCopyKeyFrameOperationBackward, w.cmdCopyKeyFrameOperationForward})
        hidden->hide();
}

void buildPlaybackBand(QWidget* control, PanelWidgets& w)
{
    w.fraAnimationBand3 = band(control, "fraAnimationBand3", 5145, 15, 3555, 330);
    QFrame* band3 = w.fraAnimationBand3;
    w.cmdStart = button(band3, "cmdStart", QStringLiteral("Move to Animation Start"), 0);
    w.cmdStepBack = button(band3, "cmdStepBack", QStringLiteral("Step Back"), 345);
    w.cmdPlay = button(band3, "cmdPlay", QStringLiteral("Play Animation"), 690);
    w.cmdStop = button(band3, "cmdStop", QString(), 1035);
    w.cmdStepForward = button(band3, "cmdStepForward", QStringLiteral("Step Forward"), 1380);
    w.cmdEnd = button(band3, "cmdEnd", QStringLiteral("Move to Animation End"), 1725);
    w.chkAutoRepeat =
        toggle(band3, "chkAutoRepeat", QStringLiteral("Automatically Repeat Animation"), 2070);
    w.cmdPlayFullScreen =
        button(band3, "cmdPlayFullScreen", QStringLiteral("Play Animation Full Screen"), 2535);
    w.cmdPlayGhost = button(band3, "cmdPlayGhost", QStringLiteral("Ghost Animation"), 2880);
    w.cmdRecord = button(band3, "cmdRecord", QStringLiteral("Record Animation to Video"), 3225);
}

QGroupBox* captionedFrame(QWidget* control, const char* name, const QString& caption, int leftTwips)
{
    auto* frame = named(new QGroupBox(caption, control), name);
    QFont font = frame->font();
    font.setFamilies({QStringLiteral("Tahoma"), font.family()});
    frame->setFont(font);
    place(frame, leftTwips, 420, 1605, 1230);
    return frame;
}

void buildTimelineFrames(QWidget* control, PanelWidgets& w)
{
    w.fraSequence = captionedFrame(control, "fraSequence", QStringLiteral("Sequence"), 60);
    w.cboSequence = named(new QComboBox(w.fraSequence), "cboSequence",
                          QStringLiteral("Select Component Library"));
    place(w.cboSequence, 75, 270, 1455, 315);
    w.cmdSequenceRename =
        button(w.fraSequence, "cmdSequenceRename", QStringLiteral("Re-title Sequence"), 75, 690);
    w.cmdSequenceAdd = button(w.fraSequence, "cmdSequenceAdd",
                              QStringLiteral("Create Sequence from selection"), 435, 690);
    w.cmdSequenceDelete =
        button(w.fraSequence, "cmdSequenceDelete", QStringLiteral("Delete Sequence"), 795, 690);
    w.cmdSequenceRetrieve = button(w.fraSequence, "cmdSequenceRetrieve",
                                   QStringLiteral("Append Sequence to Animation"), 1155, 690);

    w.fraTimeline = captionedFrame(control, "fraTimeline", QStringLiteral("Timeline"), 1710);
    w.cmdAnimationTimelineLess = button(w.fraTimeline, "cmdAnimationTimelineLess",
                                        QStringLiteral("Less Timline rows"), 75, 270);
    w.cmdAnimationTimelineMore = button(w.fraTimeline, "cmdAnimationTimelineMore",
                                        QStringLiteral("More Timeline rows"), 435, 270);
    w.cmdTimelineKeyframeDelete = button(w.fraTimeline, "cmdTimelineKeyframeDelete",
                                         QStringLiteral("Delete selected keyframes"), 795, 270);

    w.mnuPopup = named(new QMenu(QStringLiteral("Popup"), control), "mnuPopup");
    w.mnuPopupCopytoNewFrame = w.mnuPopup->addAction(QStringLiteral("&Copy Selection"));
    w.mnuPopupCopytoNewFrame->setObjectName(QStringLiteral("mnuPopupCopytoNewFrame"));
    w.mnuPopupMovetoNewFrame = w.mnuPopup->addAction(QStringLiteral("&Move Selection"));
    w.mnuPopupMovetoNewFrame->setObjectName(QStringLiteral("mnuPopupMovetoNewFrame"));
}

common::ImageList* imageList(QWidget* control, const char* name,
                             std::initializer_list<const char*> keys)
{
    auto* list = new common::ImageList(control);
    list->setObjectName(QLatin1String(name));
    for (const char* key : keys)
        list->add(QLatin1String(key), panelImage(QLatin1String(key)));
    return list;
}

} // namespace

void setAllEnabled(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

PanelWidgets buildPanelWidgets(QWidget* control)
{
    PanelWidgets w;
    w.chkAnimate = toggle(control, "chkAnimate", QStringLiteral("Animate the Scene"), 60, 15);

    buildKeyFrameBand(control, w);
    buildPlaybackBand(control, w);

    w.txtAnimationTime = named(new common::UpDownText(control), "txtAnimationTime",
                               QStringLiteral("Animation Time"));
    w.txtAnimationTime->setDecimalPlaces(2);
    w.txtAnimationTime->setMax(100);
    w.txtAnimationTime->setText(QStringLiteral("0.0"));
    w.txtAnimationTime->setEnabled(false);
    place(w.txtAnimationTime, 8745, 15, 930, 330);

    w.sldFrame =
        named(new common::TrackBar(control), "sldFrame", QStringLiteral("Animation Position"));
    w.sldFrame->setSelectRange(true);
    place(w.sldFrame, 9720, 15, 3225, 345);

    w.msgTimeline = named(new common::FlexGrid(control), "msgTimeline");
    w.msgTimeline->setCols(5);
    w.msgTimeline->setRows(2);
    w.msgTimeline->setFixedCols(3);
    w.msgTimeline->setFixedRows(1);
    place(w.msgTimeline, 3390, 420, 3000, 1320);

    buildTimelineFrames(control, w);
    w.ilsKeyFrame = imageList(control, "ilsKeyFrame",
                              {"KeyFrame", "KeyFrameSegmentStart", "Group", "Closed", "Open"});
    w.ilsMiscellaneous = imageList(control, "ilsMiscellaneous", {"Camera", "Light"});
    return w;
}

} // namespace vellum::animation
