#include "TimelineInteraction.h"

#include "Animation.h"
#include "AnimationCommands.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "FlexGrid.h"
#include "ModuleState.h"
#include "MouseCodes.h"
#include "Platform.h"
#include "SceneGraph.h"
#include "TrackBar.h"
#include "XPButton.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace vellum::animation {

using namespace outside;

namespace {

constexpr int DefaultPointer = 0;
constexpr int ResizePointer = 9; // horizontal arrows over the block's right edge

} // namespace

TimelineInteraction::TimelineInteraction(AnimationPrivate& panel) : m_panel(panel)
{
    connectWidgets();
}

void TimelineInteraction::connectWidgets()
{
    const PanelWidgets& w = m_panel.widgets;
    Animation* q = &m_panel.q;
    using common::FlexGrid;
    QObject::connect(w.msgTimeline, &FlexGrid::MouseDown, q,
                     [this](int button, int shift, float, float) { onMouseDown(button, shift); });
    QObject::connect(w.msgTimeline, &FlexGrid::MouseMove, q,
                     [this](int, int shift, float, float) { onMouseMove(shift); });
    QObject::connect(w.msgTimeline, &FlexGrid::MouseUp, q, [this] { onMouseUp(); });
    QObject::connect(w.msgTimeline, &FlexGrid::DragOver, q,
                     [this](int, int, int state) { onDragOver(state); });
    QObject::connect(w.msgTimeline, &FlexGrid::DragDrop, q, [this] { onDragDrop(); });
    QObject::connect(w.mnuPopupCopytoNewFrame, &QAction::triggered, q, [this] { m_copy = true; });
    QObject::connect(w.mnuPopupMovetoNewFrame, &QAction::triggered, q, [this] { m_copy = false; });
    QObject::connect(w.cmdTimelineKeyframeDelete, &common::XPButton::Click, q,
                     [this] { onKeyframeDelete(); });
}

void TimelineInteraction::SaveGridSelection()
{
    const common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    m_block.top = std::min(grid.Row(), grid.RowSel());
    m_block.bottom = std::max(grid.Row(), grid.RowSel());
    m_block.left = std::min(grid.Col(), grid.ColSel());
    m_block.right = std::max(grid.Col(), grid.ColSel());
}

void TimelineInteraction::RestoreGridSelection()
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    grid.setRow(m_block.top);
    grid.setCol(m_block.left);
    grid.setRowSel(m_block.bottom);
    grid.setColSel(m_block.right);
}

int TimelineInteraction::HitTestSelection(int shift)
{
    if (sceneGraph().SelectedCount(applicationState()->SceneDeviceID()) == 0)
        return HitOutside;
    const common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    const int row = grid.MouseRow();
    const int column = grid.MouseCol();
    if (shift == common::MouseCode::Shift || column < m_block.left || column > m_block.right ||
        row < m_block.top || row > m_block.bottom)
        return HitOutside;
    return column == m_block.right && m_block.right - m_block.left >= 1 ? HitRightEdge : HitInside;
}

// The keys are lifted out of the block while it is dragged.
void TimelineInteraction::ClearSelectionPictures()
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    grid.setRedraw(false);
    for (std::int32_t row = m_block.top; row <= m_block.bottom; ++row) {
        grid.setRow(row);
        for (std::int32_t column = m_block.left; column <= m_block.right; ++column) {
            grid.setCol(column);
            grid.setCellPicture(QPixmap());
        }
    }
    RestoreGridSelection();
    grid.setRedraw(true);
}

void TimelineInteraction::beginDrag(DragMode mode)
{
    RestoreGridSelection();
    ClearSelectionPictures();
    m_dragMode = mode;
    m_panel.widgets.msgTimeline->Drag(common::FlexGrid::DragBegin);
}

void TimelineInteraction::onMouseDown(int button, int shift)
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
        m_savedTopRow = grid.TopRow();
        m_savedLeftCol = grid.LeftCol();
        const int column = grid.MouseCol();
        if (column < grid.FixedCols() || column >= grid.Cols() - 1) {
            RestoreGridSelection();
            return;
        }
        m_dragStartColumn = column;
        m_lastDragColumn = column;
        switch (HitTestSelection(shift)) {
        case HitOutside:
            // The grid selects the new block itself.
            m_selecting = true;
            SaveGridSelection();
            break;
        case HitRightEdge:
            beginDrag(DragStretch);
            break;
        case HitInside:
            m_copy = false;
            m_dragButton = button;
            beginDrag(DragMove);
            break;
        }
    });
}

void TimelineInteraction::onMouseMove(int shift)
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
        const bool onEdge = !m_selecting && HitTestSelection(shift) == HitRightEdge;
        grid.setMousePointer(onEdge ? ResizePointer : DefaultPointer);
        SaveGridSelection();
    });
}

void TimelineInteraction::onMouseUp()
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
        grid.setRedraw(false);
        // A block never takes in the overflow column.
        m_block.right = std::min(m_block.right, grid.Cols() - 2);
        m_block.left = std::min(m_block.left, m_block.right);
        RestoreGridSelection();
        moveSliderToColumn(grid.Col());
        RestoreGridSelection();
        restoreScroll();
        grid.setRedraw(true);
        m_selecting = false;
    });
}

void TimelineInteraction::moveSliderToColumn(std::int32_t column)
{
    common::TrackBar& slider = *m_panel.widgets.sldFrame;
    const std::int32_t frame = column - m_panel.widgets.msgTimeline->FixedCols();
    if (frame != slider.Value())
        slider.setValue(frame);
}

void TimelineInteraction::restoreScroll()
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    grid.setTopRow(std::min(m_savedTopRow, grid.Rows() - 1));
    grid.setLeftCol(m_savedLeftCol);
}

void TimelineInteraction::onDragOver(int state)
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
        if (state == common::FlexGrid::DragLeave) {
            // Cancelled: the lifted keys go back where they were.
            m_lastDragColumn = -1;
            grid.Drag(common::FlexGrid::DragEnd);
            m_panel.timeline.ReloadTimelineKeyFrames();
            return;
        }
        if (grid.MouseCol() == m_lastDragColumn)
            return;
        m_lastDragColumn = grid.MouseCol();
        grid.setRedraw(false);
        showDraggedBlock();
        grid.setRedraw(true);
    });
}

// Stretching moves only the right edge; moving keeps the block's width and its grip on the
// mouse. Either way the block stays within the frame columns.
void TimelineInteraction::showDraggedBlock()
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    const std::int32_t lastFrameColumn = grid.Cols() - 2;
    std::int32_t left = m_block.left;
    std::int32_t right = 0;
    if (m_dragMode == DragStretch) {
        right = std::max(m_block.left, std::min(grid.MouseCol(), lastFrameColumn));
    } else {
        const std::int32_t width = m_block.right - m_block.left;
        left = grid.MouseCol() - (m_dragStartColumn - m_block.left);
        left = std::max(grid.FixedCols(), std::min(left, lastFrameColumn - width));
        right = left + width;
    }
    grid.setRow(m_block.top);
    grid.setCol(left);
    grid.setRowSel(m_block.bottom);
    grid.setColSel(right);
}

void TimelineInteraction::onDragDrop()
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
        const std::int32_t newLeft = grid.Col();
        const std::int32_t newRight = grid.ColSel();
        if (dropChangesNothing(newLeft, newRight)) {
            m_panel.timeline.ReloadTimelineKeyFrames();
            RestoreGridSelection();
            restoreScroll();
            return;
        }
        emit m_panel.q.evtReqPrepareForSceneChanges();
        if (m_dragMode == DragMove && m_dragButton == common::MouseCode::RightButton)
            platform().PopupMenu(*m_panel.widgets.mnuPopup);
        editRows(newLeft, newRight);
        emit m_panel.q.evtReqApplySceneChanges();
        m_panel.timeline.ReloadTimelineKeyFrames();
        selectDroppedBlock(newLeft, newRight);
    });
}

// A block dropped where it was, or over the rows or columns that were scrolled out of sight,
// changes nothing; nor does an edge dropped where it was.
bool TimelineInteraction::dropChangesNothing(std::int32_t newLeft, std::int32_t newRight) const
{
    if (m_dragMode == DragStretch)
        return newRight == m_block.right;
    return newLeft == m_block.left || newLeft < m_savedLeftCol ||
           m_panel.widgets.msgTimeline->Row() < m_savedTopRow;
}

void TimelineInteraction::editRows(std::int32_t newLeft, std::int32_t newRight)
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    const ScenePtr scene = applicationState()->Scene();
    AnimationCommands& commands = animationCommands();
    const double factor =
        double(newRight - m_block.left) / double(std::max(1, m_block.right - m_block.left));
    for (std::int32_t row = m_block.top; row <= m_block.bottom; ++row) {
        grid.setRow(row);
        const std::int32_t code = grid.RowData(row);
        if (m_dragMode == DragStretch)
            commands.ScaleKeyFrames(scene, code, grid.FixedCols(), m_block.left, m_block.right,
                                    factor);
        else
            commands.MoveKeyFrames(scene, code, grid.FixedCols(), m_block.left, m_block.right,
                                   newLeft - m_block.left, m_copy);
    }
}

void TimelineInteraction::selectDroppedBlock(std::int32_t newLeft, std::int32_t newRight)
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    grid.setRow(m_block.top);
    grid.setCol(newLeft);
    grid.setRowSel(m_block.bottom);
    grid.setColSel(newRight);
    SaveGridSelection();
    moveSliderToColumn(grid.Col());
    RestoreGridSelection();
    restoreScroll();
}

// The row's first key stays when the block would take every key of the row.
std::int32_t TimelineInteraction::GetDeleteStart(std::int32_t row)
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    grid.setRow(row);
    const auto hasKey = [&](std::int32_t column) {
        grid.setCol(column);
        return !grid.CellPicture().isNull();
    };
    const std::int32_t lastFrameColumn = grid.Cols() - 2;
    std::int32_t first = grid.FixedCols();
    while (first <= lastFrameColumn && !hasKey(first))
        ++first;
    if (first > lastFrameColumn)
        return m_block.left;
    std::int32_t last = lastFrameColumn;
    while (!hasKey(last))
        --last;
    return m_block.left <= first && m_block.right >= last ? first + 1 : m_block.left;
}

void TimelineInteraction::onKeyframeDelete()
{
    endQuietly([&] {
        common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
        // A block left over from rows that are gone is refused before anything changes.
        RestoreGridSelection();
        grid.setRedraw(false);
        emit m_panel.q.evtReqPrepareForSceneChanges();
        const ScenePtr scene = applicationState()->Scene();
        bool someKept = false;
        for (std::int32_t row = m_block.top; row <= m_block.bottom; ++row) {
            const std::int32_t start = GetDeleteStart(row);
            someKept = someKept || start != m_block.left;
            animationCommands().DeleteKeyFrames(scene, grid.RowData(row), start, m_block.right,
                                                grid.FixedCols());
        }
        emit m_panel.q.evtReqApplySceneChanges();
        m_panel.timeline.ReloadTimelineKeyFrames();
        m_panel.navigation->sldFrameChange(true, true);
        if (someKept)
            platform().MsgBox(QStringLiteral("Some keyframes were not deleted. A minimum of one "
                                             "keyframe is required for each scene component."),
                              MsgBoxButtons::OK, MsgBoxIcon::Information, messageTitle());
    });
}

} // namespace vellum::animation
