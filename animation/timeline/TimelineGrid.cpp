#include "TimelineGrid.h"

#include "AnimationCommands.h"
#include "ApplicationState.h"
#include "Applier.h"
#include "Camera.h"
#include "Enumerations.h"
#include "ErrorRule.h"
#include "FlexGrid.h"
#include "Group.h"
#include "ImageList.h"
#include "Light.h"
#include "ModuleState.h"
#include "PanelWidgets.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "Shape.h"
#include "TrackBar.h"
#include "Twips.h"
#include "ValueConversion.h"
#include "XPButton.h"

#include <QComboBox>
#include <QHash>

namespace vellum::animation {

using namespace outside;

namespace {

const QColor CurrentFrameColour(255, 128, 128);
const QColor RangeOfEffectColour(0, 228, 228);
const QColor ClearedColour(255, 255, 255);

constexpr int FrameColumnPixels = 20;
constexpr int PictureColumnPixels = 17;
constexpr int RowPixels = 17;
constexpr int TitleColumnTwips = 1500;
constexpr int AlignRightCentre = 7;
constexpr int AlignLeftCentre = 1;
constexpr int PictureLeftTop = 0;

QString loopPicture(int loopMode)
{
    return loopMode == LoopClosed ? QStringLiteral("Closed") : QStringLiteral("Open");
}

} // namespace

QString timelineHeaderLabel(std::int32_t frame, std::int32_t keysPerSecond)
{
    const std::int32_t seconds = roundHalfEven(double(frame) / double(keysPerSecond));
    const std::int32_t minutes = seconds / 60;
    return (minutes == 0 ? QString() : QString::number(minutes)) + QLatin1Char(':') +
           QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

TimelineGrid::TimelineGrid(PanelWidgets& widgets) : m_widgets(widgets) {}

void TimelineGrid::configureOnce()
{
    m_widgets.msgTimeline->setFixedRows(1); // the header row
}

int TimelineGrid::pixelsToTwips(int pixels) const
{
    return common::pixelsToTwips(pixels, m_widgets.msgTimeline->logicalDpiX());
}

const QPixmap& TimelineGrid::picture(const QString& key)
{
    auto found = m_pictures.find(key);
    if (found == m_pictures.end()) {
        const common::ImageList& list = m_widgets.ilsKeyFrame->contains(key)
                                            ? *m_widgets.ilsKeyFrame
                                            : *m_widgets.ilsMiscellaneous;
        found = m_pictures.insert(
            key, list.pixmap(key, QSize(16, 16), m_widgets.msgTimeline->devicePixelRatioF()));
    }
    return *found;
}

void TimelineGrid::PrepareTimeLine()
{
    endQuietly([&] {
        buildColumns();
        loadRows();
        common::FlexGrid& grid = *m_widgets.msgTimeline;
        grid.setCol(m_widgets.sldFrame->Value() + grid.FixedCols());
        grid.setRow(0);
        m_headerColour = grid.CellBackColor();
        selectCurrentFrameColumn();
    });
}

void TimelineGrid::BuildTimelineColumns()
{
    endQuietly([&] { buildColumns(); });
}

void TimelineGrid::buildColumns()
{
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    grid.setRedraw(false);
    grid.Clear();
    const AnimationSettings settings = applicationState()->AnimationSettings();
    const std::int32_t keysPerSecond = roundHalfEven(settings.KeysPerSecond);
    grid.setCols(grid.FixedCols() + settings.Keys + 2);
    grid.setColWidth(-1, pixelsToTwips(FrameColumnPixels));
    grid.setRowHeight(-1, pixelsToTwips(RowPixels));
    grid.setColAlignment(-1, AlignRightCentre);
    grid.setColAlignment(0, AlignLeftCentre);
    grid.setRow(0);
    // Less than one key per second has no whole seconds to label.
    for (std::int32_t frame = 0; keysPerSecond > 0 && frame <= settings.Keys;
         frame += keysPerSecond) {
        grid.setCol(grid.FixedCols() + frame);
        grid.setText(timelineHeaderLabel(frame, keysPerSecond));
    }
    grid.setColWidth(0, TitleColumnTwips);
    grid.setColWidth(1, pixelsToTwips(PictureColumnPixels));
    grid.setColWidth(2, pixelsToTwips(PictureColumnPixels));
    grid.setRow(0);
    grid.setCol(grid.Cols() - 1);
    grid.setText(QString());
    grid.setColWidth(grid.Cols() - 1, pixelsToTwips(PictureColumnPixels));
    grid.setRedraw(true);
}

void TimelineGrid::LoadTimelineRows()
{
    endQuietly([&] { loadRows(); });
}

void TimelineGrid::loadRows()
{
    m_widgets.cboSequence->clear();
    setAllEnabled(
        {m_widgets.cmdSequenceDelete, m_widgets.cmdSequenceRename, m_widgets.cmdSequenceRetrieve},
        false);
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    grid.setRedraw(false);
    grid.setRows(grid.FixedRows());
    grid.setRows(grid.FixedRows() + 1);
    grid.setRow(grid.Rows() - 1);
    for (int column = grid.FixedCols(); column < grid.Cols(); ++column) {
        grid.setCol(column);
        grid.setCellPicture(QPixmap());
        grid.setCellBackColor(ClearedColour);
    }
    const std::int32_t device = applicationState()->SceneDeviceID();
    if (sceneGraph().SelectedCount(device) > 0 && selectedItem(device, 0)->ParentGroup())
        AddGroupRows();
    // The buttons wait for a name to be chosen; so does the combo's text.
    m_widgets.cboSequence->setCurrentIndex(-1);
    grid.setRedraw(true);
}

void TimelineGrid::AddGroupRows()
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_widgets.msgTimeline;
        const ScenePtr scene = required(applicationState()->Scene());
        bool firstRow = true;
        for (int index = 0; index < m_groupCodes.size(); ++index) {
            const GroupPtr group = scene->Groups().find(QString::number(m_groupCodes[index]));
            if (!group)
                continue;
            if (firstRow) {
                grid.setRow(grid.Rows() - 1);
                grid.setCol(0);
                grid.setText(group->Name());
                firstRow = false;
            } else {
                grid.AddItem(QString(m_groupLevels[index] * 3, QLatin1Char(' ')) + group->Name());
                grid.setRow(grid.Rows() - 1);
            }
            describeRow(group->Code(), picture(QStringLiteral("Group")), group->LoopMode());
            ShowKeyCells(group->AnimationData());
            addItemRows(*group);
            listSequences(
                [&] { return animationCommands().GroupSequenceNames(scene, group->Code()); });
            AddOperationRows(*group, m_groupLevels[index] + 1);
        }
    });
}

// Every operation component of the group brings a row for each operation it carries.
void TimelineGrid::AddOperationRows(Group& group, int level)
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_widgets.msgTimeline;
        const ScenePtr scene = required(applicationState()->Scene());
        for (const ShapePtr& shape : group.Shapes()) {
            if (shape->Kind() != Kind::Operation)
                continue;
            AnimationCommands& commands = animationCommands();
            const QList<std::int32_t> operations = commands.ShapeOperations(scene, shape);
            if (operations.isEmpty())
                continue;
            const OperationTableSet tables = scene->OperationTables(shape->ObjectLink());
            for (const std::int32_t operation : operations) {
                grid.AddItem(QString(level * 3, QLatin1Char(' ')) +
                             commands.OperationName(scene, operation));
                grid.setRow(grid.Rows() - 1);
                const QImage image = applier().OperationPicture(tables.entry(operation).type);
                describeRow(operation * 100 + Kind::Operation, QPixmap::fromImage(image),
                            commands.OperationLoopMode(scene, operation));
                ShowKeyCells(commands.OperationKeys(scene, operation));
                listSequences([&] { return commands.OperationSequenceNames(scene, operation); });
            }
        }
    });
}

// With the timeline shown, the sequences of every row are offered once each.
void TimelineGrid::listSequences(const std::function<QStringList()>& sequenceNames)
{
    if (!m_widgets.chkAnimationTimeline->Value())
        return;
    for (const QString& name : sequenceNames())
        if (m_widgets.cboSequence->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
            m_widgets.cboSequence->addItem(name);
}

// The animation camera and the lights of the selection that ride on this group.
void TimelineGrid::addItemRows(Group& group)
{
    const std::int32_t device = applicationState()->SceneDeviceID();
    const ScenePtr scene = required(applicationState()->Scene());
    const std::int32_t count = sceneGraph().SelectedCount(device);
    for (std::int32_t index = 0; index < count; ++index) {
        const ShapePtr component = selectedItem(device, index);
        const GroupPtr carrier = component->ParentGroup();
        if (!carrier || carrier->Number() != group.Number())
            continue;
        if (component->Kind() == Kind::Camera)
            AddCameraRow(*scene->Cameras().Item(1));
        else if (component->Kind() == Kind::Light)
            AddLightRow(*scene->Lights().Item(QString::number(component->Code())));
    }
}

void TimelineGrid::AddCameraRow(Camera& camera)
{
    endQuietly([&] {
        m_widgets.msgTimeline->AddItem(QStringLiteral("   ") + camera.Name());
        m_widgets.msgTimeline->setRow(m_widgets.msgTimeline->Rows() - 1);
        describeRow(camera.ID() * 100 + Kind::Camera, picture(QStringLiteral("Camera")),
                    camera.LoopMode());
        ShowKeyCells(camera.AnimationData());
    });
}

void TimelineGrid::AddLightRow(Light& light)
{
    endQuietly([&] {
        m_widgets.msgTimeline->AddItem(QStringLiteral("   ") + light.Name());
        m_widgets.msgTimeline->setRow(m_widgets.msgTimeline->Rows() - 1);
        describeRow(light.Code(), picture(QStringLiteral("Light")), light.LoopMode());
        ShowKeyCells(light.AnimationData());
    });
}

void TimelineGrid::describeRow(std::int32_t rowData, const QPixmap& kindPicture, int loopMode)
{
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    grid.setRowData(grid.Row(), rowData);
    grid.setCol(1);
    grid.setCellPicture(kindPicture);
    grid.setCol(2);
    grid.setCellPicture(picture(loopPicture(loopMode)));
    grid.setCellPictureAlignment(PictureLeftTop);
}

void TimelineGrid::ShowKeyCells(const QList<KeyRecord>& keys)
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_widgets.msgTimeline;
        const std::int32_t overflowColumn = grid.Cols() - 1;
        std::int32_t first = -1;
        std::int32_t last = -1;
        std::int32_t previous = -1;
        for (const KeyRecord& key : keys) {
            const std::int32_t column = roundHalfEven(double(key.frame) + grid.FixedCols());
            if (column < overflowColumn) {
                if (first == -1)
                    first = column;
                last = std::max(last, column);
                grid.setCol(column);
                // The row's first key always starts its path.
                const bool startsPath = previous == -1 || key.startsSegment();
                grid.setCellPicture(picture(startsPath ? QStringLiteral("KeyFrameSegmentStart")
                                                       : QStringLiteral("KeyFrame")));
                previous = roundHalfEven(key.frame);
                grid.setCellPictureAlignment(PictureLeftTop);
                grid.setCol(overflowColumn);
                grid.setText(QString());
            } else {
                last = overflowColumn - 1;
                grid.setCol(overflowColumn);
                grid.setText(QStringLiteral("+"));
            }
        }
        DisplayRangeOfEffect(first, last);
    });
}

void TimelineGrid::DisplayRangeOfEffect(std::int32_t lStartColumn, std::int32_t lEndColumn)
{
    endQuietly([&] { tint(lStartColumn == -1 ? lEndColumn : lStartColumn, lEndColumn); });
}

// A row without keys gives column -1, which the grid refuses: nothing is tinted then.
void TimelineGrid::tint(std::int32_t startColumn, std::int32_t endColumn)
{
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    for (std::int32_t column = startColumn; column <= endColumn; ++column) {
        grid.setCol(column);
        grid.setCellBackColor(RangeOfEffectColour);
    }
}

void TimelineGrid::SelectCurrentFrameColumn()
{
    endQuietly([&] { selectCurrentFrameColumn(); });
}

void TimelineGrid::selectCurrentFrameColumn()
{
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    const std::int32_t frame = m_widgets.sldFrame->Value();
    grid.setCol(frame + grid.FixedCols());
    grid.setRow(0);
    grid.setCellBackColor(CurrentFrameColour);
    m_selectedFrame = frame;
    grid.setRow(1);
    grid.setRowSel(1);
    grid.setColSel(grid.Col());
    keepInView(grid.Col());
}

void TimelineGrid::HighlightTimelineColumn()
{
    endQuietly([&] { highlight(); });
}

// The header of the current frame follows the slider; the grid's cursor does too, unless it was
// already on that frame.
void TimelineGrid::highlight()
{
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    if (m_lastHighlighted == 0)
        m_lastHighlighted = 3;
    int row = grid.Row();
    int column = grid.Col();
    int rowSel = grid.RowSel();
    int colSel = grid.ColSel();
    grid.setRedraw(false);
    grid.setCol(m_lastHighlighted);
    grid.setRow(0);
    grid.setCellBackColor(m_headerColour);
    const std::int32_t frame = m_widgets.sldFrame->Value();
    if (frame != column - grid.FixedCols()) {
        row = 1;
        column = frame + grid.FixedCols();
        rowSel = 1;
        colSel = column;
    }
    grid.setCol(column);
    grid.setRow(0);
    grid.setCellBackColor(CurrentFrameColour);
    m_lastHighlighted = column;
    grid.setRow(row);
    grid.setCol(column);
    grid.setRowSel(rowSel);
    grid.setColSel(colSel);
    keepInView(column);
    grid.setRedraw(true);
}

// The grid pages along with the slider, so the current frame's column stays on show.
void TimelineGrid::keepInView(std::int32_t column)
{
    common::FlexGrid& grid = *m_widgets.msgTimeline;
    if (!grid.ColIsVisible(column))
        grid.setLeftCol(column);
}

void TimelineGrid::ReloadTimelineKeyFrames()
{
    endQuietly([&] {
        loadRows();
        highlight();
    });
}

void TimelineGrid::TimelineActiveStateChange()
{
    endQuietly([&] {
        m_groupCodes.clear();
        m_groupLevels.clear();
        const std::int32_t device = applicationState()->SceneDeviceID();
        const std::int32_t count = sceneGraph().SelectedCount(device);
        m_widgets.cmdSequenceAdd->setEnabled(count > 0);
        for (std::int32_t index = 0; index < count; ++index) {
            const ShapePtr component = selectedItem(device, index);
            if (component->Kind() == Kind::Camera || component->Kind() == Kind::Light)
                m_widgets.cmdSequenceAdd->setEnabled(false);
            const std::int32_t code = required(component->ParentGroup())->Code();
            if (!m_groupCodes.contains(code)) {
                m_groupCodes.append(code);
                m_groupLevels.append(0);
            }
        }
        setAllEnabled({m_widgets.cboSequence, m_widgets.cmdTimelineKeyframeDelete}, true);
        loadRows();
        selectCurrentFrameColumn();
    });
}

} // namespace vellum::animation
