#include "FlexGridPainter.h"

#include "FlexGridAxis.h"
#include "FlexGridCells.h"

#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QVarLengthArray>
#include <algorithm>

namespace vellum::common {

namespace {

constexpr int TextMargin = 2;
constexpr int SelectionAlpha = 110;
constexpr int GeneralAlignment = 9;
constexpr int SpillLookBack = 8;

// The lines of one axis that show in `available` pixels from `start`, and where offset 0 of the
// axis lands so that `start` begins at `fixedPixels`.
struct Span
{
    int first = 0;
    int last = -1;
    qint64 origin = 0;
};

Span fixedSpan(const FlexGridAxis& axis, int fixedCount)
{
    return {0, std::min(fixedCount, axis.count()) - 1, 0};
}

Span scrollSpan(const FlexGridAxis& axis, int start, qint64 fixedPixels, qint64 available)
{
    if (start >= axis.count() || available <= 0)
        return {};
    const int last = axis.indexAt(axis.offset(start) + available - 1);
    return {start, last, fixedPixels - axis.offset(start)};
}

} // namespace

Qt::Alignment flexGridAlignment(int code, bool numeric)
{
    if (code == GeneralAlignment)
        return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                     Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

FlexGridPainter::FlexGridPainter(QPainter& painter, const FlexGridPaintState& state)
    : m_painter(painter), m_state(state)
{}

QColor FlexGridPainter::defaultBackColor(const QPalette& palette, bool fixed)
{
    return fixed ? palette.color(QPalette::Button) : palette.color(QPalette::Base);
}

QColor FlexGridPainter::backColor(const FlexGridCells::Record& record, bool fixed) const
{
    return record.hasBackColor ? QColor(record.backColor)
                               : defaultBackColor(m_state.palette, fixed);
}

void FlexGridPainter::paint(QRect viewport, QRect exposed)
{
    const FlexGridPaintState& s = m_state;
    const qint64 fixedWidth = s.cols.offset(std::min(s.fixedCols, s.cols.count()));
    const qint64 fixedHeight = s.rows.offset(std::min(s.fixedRows, s.rows.count()));
    m_painter.fillRect(exposed, s.palette.color(QPalette::Window));

    const Span rowParts[] = {
        fixedSpan(s.rows, s.fixedRows),
        scrollSpan(s.rows, s.topRow, fixedHeight, viewport.height() - fixedHeight)};
    const Span colParts[] = {
        fixedSpan(s.cols, s.fixedCols),
        scrollSpan(s.cols, s.leftCol, fixedWidth, viewport.width() - fixedWidth)};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            const Span& rs = rowParts[r];
            const Span& cs = colParts[c];
            if (rs.last < rs.first || cs.last < cs.first)
                continue;
            const Block block{
                rs.first,        rs.last, cs.first, cs.last, QPoint(int(cs.origin), int(rs.origin)),
                r == 0 || c == 0};
            // Frozen parts own the strip up to the fixed extent; scrolled parts the rest.
            const int left = c == 0 ? 0 : int(fixedWidth);
            const int top = r == 0 ? 0 : int(fixedHeight);
            const int right = c == 0 ? int(fixedWidth) : viewport.width();
            const int bottom = r == 0 ? int(fixedHeight) : viewport.height();
            const QRect clip = QRect(left, top, right - left, bottom - top) & exposed;
            if (!clip.isEmpty())
                paintBlock(block, clip);
        }
    }
    m_painter.setClipping(false);
}

QRect FlexGridPainter::cellRect(const Block& block, int row, int col) const
{
    return QRect(block.origin.x() + int(m_state.cols.offset(col)),
                 block.origin.y() + int(m_state.rows.offset(row)), m_state.cols.pixels(col),
                 m_state.rows.pixels(row));
}

QRect FlexGridPainter::blockRect(const Block& block) const
{
    return cellRect(block, block.firstRow, block.firstCol)
        .united(cellRect(block, block.lastRow, block.lastCol));
}

void FlexGridPainter::paintBlock(const Block& block, QRect clip)
{
    m_painter.setClipRect(clip);
    m_painter.fillRect(blockRect(block), defaultBackColor(m_state.palette, block.fixed));
    paintBackColors(block);
    if (block.fixed) {
        paintHeaderEdges(block);
    } else {
        paintSelection(block);
        paintGridLines(block);
    }
    paintPictures(block);
    paintTexts(block);
    paintFocusFrame(block);
}

// Neighbouring cells of one colour are filled as one run: tinted spans are common.
void FlexGridPainter::paintBackColors(const Block& block)
{
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        int col = block.firstCol;
        while (col <= block.lastCol) {
            const FlexGridCells::Record& first = m_state.cells.at(row, col);
            int end = col + 1;
            if (first.hasBackColor) {
                while (end <= block.lastCol) {
                    const FlexGridCells::Record& next = m_state.cells.at(row, end);
                    if (!next.hasBackColor || next.backColor != first.backColor)
                        break;
                    ++end;
                }
                m_painter.fillRect(cellRect(block, row, col).united(cellRect(block, row, end - 1)),
                                   backColor(first, block.fixed));
            }
            col = end;
        }
    }
}

void FlexGridPainter::paintSelection(const Block& block)
{
    const FlexGridPaintState& s = m_state;
    const int top = std::max(std::min(s.row, s.rowSel), block.firstRow);
    const int bottom = std::min(std::max(s.row, s.rowSel), block.lastRow);
    const int left = std::max(std::min(s.col, s.colSel), block.firstCol);
    const int right = std::min(std::max(s.col, s.colSel), block.lastCol);
    if (top > bottom || left > right)
        return;
    QRegion selected(cellRect(block, top, left).united(cellRect(block, bottom, right)));
    selected -= cellRect(block, s.row, s.col); // the current cell shows its focus frame instead
    QColor highlight = s.palette.color(QPalette::Highlight);
    highlight.setAlpha(SelectionAlpha);
    for (const QRect& part : selected)
        m_painter.fillRect(part, highlight);
}

void FlexGridPainter::paintGridLines(const Block& block)
{
    const QRect area = blockRect(block);
    QVarLengthArray<QLine, 256> lines;
    for (int col = block.firstCol; col <= block.lastCol; ++col) {
        const QRect cell = cellRect(block, block.firstRow, col);
        if (cell.width() > 0)
            lines.append(QLine(cell.right(), area.top(), cell.right(), area.bottom()));
    }
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        const QRect cell = cellRect(block, row, block.firstCol);
        if (cell.height() > 0)
            lines.append(QLine(area.left(), cell.bottom(), area.right(), cell.bottom()));
    }
    m_painter.setPen(m_state.palette.color(QPalette::Midlight).darker(115));
    m_painter.drawLines(lines.constData(), int(lines.size()));
}

// A raised look: a light edge at the top and left of every header cell, a dark one opposite.
void FlexGridPainter::paintHeaderEdges(const Block& block)
{
    const QRect area = blockRect(block);
    QVarLengthArray<QLine, 256> light;
    QVarLengthArray<QLine, 256> dark;
    for (int col = block.firstCol; col <= block.lastCol; ++col) {
        const QRect cell = cellRect(block, block.firstRow, col);
        if (cell.width() <= 0)
            continue;
        light.append(QLine(cell.left(), area.top(), cell.left(), area.bottom()));
        dark.append(QLine(cell.right(), area.top(), cell.right(), area.bottom()));
    }
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        const QRect cell = cellRect(block, row, block.firstCol);
        if (cell.height() <= 0)
            continue;
        light.append(QLine(area.left(), cell.top(), area.right(), cell.top()));
        dark.append(QLine(area.left(), cell.bottom(), area.right(), cell.bottom()));
    }
    m_painter.setPen(m_state.palette.color(QPalette::Light));
    m_painter.drawLines(light.constData(), int(light.size()));
    m_painter.setPen(m_state.palette.color(QPalette::Dark));
    m_painter.drawLines(dark.constData(), int(dark.size()));
}

void FlexGridPainter::paintPictures(const Block& block)
{
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        for (int col = block.firstCol; col <= block.lastCol; ++col) {
            const FlexGridCells::Record& record = m_state.cells.at(row, col);
            if (record.picture != 0)
                paintPicture(m_state.cells.pictureOf(record), innerRect(block, row, col),
                             record.pictureAlignment);
        }
    }
}

// A text too wide for its cell runs on over the empty cells to its right, so that short
// columns such as a time ruler stay readable. Texts a few columns left of the scrolled part
// may run into it.
void FlexGridPainter::paintTexts(const Block& block)
{
    const FlexGridCells& cells = m_state.cells;
    const int lookBack = block.firstCol >= m_state.fixedCols
                             ? std::max(m_state.fixedCols, block.firstCol - SpillLookBack)
                             : block.firstCol;
    const QFontMetrics metrics = m_painter.fontMetrics();
    m_painter.setPen(m_state.palette.color(block.fixed ? QPalette::ButtonText : QPalette::Text));
    for (int row = block.firstRow; row <= block.lastRow; ++row) {
        for (int col = lookBack; col <= block.lastCol; ++col) {
            const FlexGridCells::Record& record = cells.at(row, col);
            if (record.text < 0)
                continue;
            const QString& text = cells.textOf(record);
            const int code = m_state.colAlignment[size_t(col)];
            bool numeric = false;
            if (code == GeneralAlignment)
                text.toDouble(&numeric);
            Qt::Alignment alignment = flexGridAlignment(code, numeric);
            QRect area = innerRect(block, row, col);
            const int needed = metrics.horizontalAdvance(text) + 2 * TextMargin;
            for (int next = col + 1; area.width() < needed && next < cells.cols(); ++next) {
                const FlexGridCells::Record& neighbour = cells.at(row, next);
                if (neighbour.text >= 0 || neighbour.picture != 0)
                    break;
                // The separator would cross the text.
                m_painter.fillRect(QRect(area.right() + 1, area.top(), 2, area.height()),
                                   backColor(neighbour, block.fixed));
                area.setRight(innerRect(block, row, next).right());
                alignment = (alignment & Qt::AlignVertical_Mask) | Qt::AlignLeft;
            }
            if (col < block.firstCol && area.right() < blockRect(block).left())
                continue;
            m_painter.drawText(area.adjusted(TextMargin, 0, -TextMargin, 0), int(alignment), text);
        }
    }
}

// Inside the grid lines, which take the last pixel of each side.
QRect FlexGridPainter::innerRect(const Block& block, int row, int col) const
{
    return cellRect(block, row, col).adjusted(0, 0, -1, -1);
}

void FlexGridPainter::paintPicture(const QPixmap& picture, QRect area, int alignmentCode)
{
    const QSize logical = picture.deviceIndependentSize().toSize();
    const QSize fitted = logical.boundedTo(area.size()) == logical
                             ? logical
                             : logical.scaled(area.size(), Qt::KeepAspectRatio);
    const QRect target =
        QStyle::alignedRect(Qt::LeftToRight, flexGridAlignment(alignmentCode), fitted, area);
    m_painter.drawPixmap(target, picture);
}

void FlexGridPainter::paintFocusFrame(const Block& block)
{
    const FlexGridPaintState& s = m_state;
    if (s.row < block.firstRow || s.row > block.lastRow || s.col < block.firstCol ||
        s.col > block.lastCol)
        return;
    const QRect cell = cellRect(block, s.row, s.col).adjusted(0, 0, -1, -1);
    if (cell.width() < 2 || cell.height() < 2)
        return;
    QPen frame(s.palette.color(QPalette::Highlight).darker(130), 2);
    frame.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(frame);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
}

} // namespace vellum::common
