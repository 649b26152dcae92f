#include "Error.h"
#include "FlexGrid.h"
#include "FlexGridAxis.h"
#include "MouseCodes.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <array>
#include <cmath>

// The mouse side of the grid: the cell under the pointer, selecting by dragging, the pointer
// shape and the drag that the grid's owner starts with Drag(1).
namespace vellum::common {

namespace {

// MousePointer codes; 4 (the icon pointer) has no counterpart and is refused.
constexpr int DefaultPointer = 0;
constexpr int NoPointer = -1;
constexpr std::array<int, 16> PointerShapes = {
    NoPointer,           Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
    NoPointer,           Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};

} // namespace

void FlexGrid::setMousePointer(int pointer)
{
    if (pointer < 0 || pointer >= int(PointerShapes.size()) ||
        (pointer != DefaultPointer && PointerShapes[size_t(pointer)] == NoPointer))
        throw Error::invalidPropertyValue();
    m_mousePointer = pointer;
    if (pointer == DefaultPointer)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(Qt::CursorShape(PointerShapes[size_t(pointer)]));
}

void FlexGrid::Drag(int action)
{
    switch (action) {
    case DragBegin:
        m_dragState = DragInside;
        m_selecting = false;
        return;
    case DragEnd:
        m_dragState = DragIdle;
        return;
    default:
        throw Error::invalidPropertyValue();
    }
}

QPoint FlexGrid::cellAt(QPointF at) const
{
    ensurePixels();
    const auto line = [](const FlexGridAxis& axis, qreal pixel, int fixed, int first) {
        const qint64 fixedPixels = axis.offset(std::min(fixed, axis.count()));
        if (pixel < fixedPixels)
            return axis.indexAt(qint64(std::floor(pixel)));
        return axis.indexAt(axis.offset(first) + qint64(std::floor(pixel)) - fixedPixels);
    };
    return QPoint(line(*m_colAxis, at.x(), m_fixedCols, LeftCol()),
                  line(*m_rowAxis, at.y(), m_fixedRows, TopRow()));
}

void FlexGrid::trackMouse(QPointF at)
{
    const QPoint cell = cellAt(at);
    m_mouseRow = cell.y();
    m_mouseCol = cell.x();
}

void FlexGrid::selectByUser(int row, int col, int rowSel, int colSel)
{
    if (row == m_row && col == m_col && rowSel == m_rowSel && colSel == m_colSel)
        return;
    m_row = row;
    m_col = col;
    m_rowSel = rowSel;
    m_colSel = colSel;
    repaintAll();
    emit SelChange();
}

// A press on a scrolled cell makes it current; with Shift it extends the block instead.
// Header cells leave the selection alone.
void FlexGrid::pressCell(QPoint cell, Qt::KeyboardModifiers modifiers)
{
    if (cell.y() < m_fixedRows || cell.x() < m_fixedCols)
        return;
    m_selecting = true;
    if (modifiers.testFlag(Qt::ShiftModifier))
        selectByUser(m_row, m_col, cell.y(), cell.x());
    else
        selectByUser(cell.y(), cell.x(), cell.y(), cell.x());
}

void FlexGrid::extendSelection(QPointF at)
{
    scrollTowards(at);
    const QPoint cell = cellAt(at);
    selectByUser(m_row, m_col, std::max(cell.y(), m_fixedRows), std::max(cell.x(), m_fixedCols));
}

// A selection dragged past an edge of the scrolled part scrolls one line per move.
void FlexGrid::scrollTowards(QPointF at)
{
    ensurePixels();
    const auto step = [](QScrollBar* bar, qreal pixel, qint64 fixedPixels, int extent) {
        if (pixel >= extent)
            bar->setValue(bar->value() + 1);
        else if (pixel < fixedPixels)
            bar->setValue(bar->value() - 1);
    };
    step(horizontalScrollBar(), at.x(), m_colAxis->offset(std::min(m_fixedCols, Cols())),
         viewport()->width());
    step(verticalScrollBar(), at.y(), m_rowAxis->offset(std::min(m_fixedRows, Rows())),
         viewport()->height());
}

void FlexGrid::moveDrag(QPointF at)
{
    const QPoint point = at.toPoint();
    if (!rect().contains(viewport()->mapTo(this, point))) {
        leaveDrag(at);
        return;
    }
    const int state = m_dragState == DragOutside ? DragEnter : DragOverState;
    m_dragState = DragInside;
    emit DragOver(point.x(), point.y(), state);
}

void FlexGrid::leaveDrag(QPointF at)
{
    if (m_dragState != DragInside)
        return;
    m_dragState = DragOutside;
    const QPoint point = at.toPoint();
    emit DragOver(point.x(), point.y(), DragLeave);
}

void FlexGrid::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    trackMouse(at);
    if (event->button() == Qt::LeftButton && !isDragging())
        pressCell(cellAt(at), event->modifiers());
    emit MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()),
                   float(at.y()));
}

// During a drag the moves belong to the drag: no MouseMove, so that handlers do not take
// the dragged block for a new selection.
void FlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    trackMouse(at);
    if (isDragging()) {
        moveDrag(at);
        return;
    }
    if (m_selecting && event->buttons().testFlag(Qt::LeftButton))
        extendSelection(at);
    emit MouseMove(mouseButtonCode(event->buttons()), shiftCode(event->modifiers()), float(at.x()),
                   float(at.y()));
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    trackMouse(at);
    if (event->button() == Qt::LeftButton)
        m_selecting = false;
    if (isDragging()) {
        const bool dropped = m_dragState == DragInside;
        m_dragState = DragIdle;
        if (dropped)
            emit DragDrop(at.toPoint().x(), at.toPoint().y());
        return;
    }
    emit MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()),
                 float(at.y()));
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(at.toPoint()))
        emit Click();
}

void FlexGrid::leaveEvent(QEvent* event)
{
    if (isDragging())
        leaveDrag(viewport()->mapFromGlobal(QCursor::pos()));
    QAbstractScrollArea::leaveEvent(event);
}

} // namespace vellum::common
