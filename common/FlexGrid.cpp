#include "FlexGrid.h"

#include "Error.h"
#include "FlexGridAxis.h"
#include "FlexGridCells.h"
#include "FlexGridPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace vellum::common {

namespace {

constexpr int DefaultRows = 2;
constexpr int DefaultCols = 2;
constexpr int DefaultRowHeightTwips = 240;
constexpr int DefaultColWidthTwips = 960;
constexpr quint8 GeneralAlignment = 9;
constexpr int LastPictureAlignment = 8;
constexpr int InvalidPropertyArrayIndex = 381;
constexpr QSize FallbackPictureSize(16, 16);

Error subscriptOutOfRange()
{
    return Error(InvalidPropertyArrayIndex, QStringLiteral("Subscript out of range"));
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QAbstractScrollArea(parent), m_rowAxis(std::make_unique<FlexGridAxis>(DefaultRowHeightTwips)),
      m_colAxis(std::make_unique<FlexGridAxis>(DefaultColWidthTwips)),
      m_cells(std::make_unique<FlexGridCells>()), m_defaultColAlignment(GeneralAlignment)
{
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel of the viewport is painted, and scrolling moves whole cells.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    resizeGrid(DefaultRows, DefaultCols);
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::Rows() const
{
    return m_rowAxis->count();
}

int FlexGrid::Cols() const
{
    return m_colAxis->count();
}

void FlexGrid::setRows(int rows)
{
    if (rows < m_fixedRows)
        throw Error::invalidPropertyValue();
    resizeGrid(rows, Cols());
}

void FlexGrid::setCols(int cols)
{
    if (cols < m_fixedCols)
        throw Error::invalidPropertyValue();
    resizeGrid(Rows(), cols);
}

void FlexGrid::resizeGrid(int rows, int cols)
{
    m_cells->resize(rows, cols);
    m_rowAxis->resize(rows);
    m_colAxis->resize(cols);
    m_colAlignment.resize(size_t(cols), m_defaultColAlignment);
    m_rowData.resize(size_t(rows), 0);
    const auto inside = [](int index, int count) {
        return std::clamp(index, 0, std::max(0, count - 1));
    };
    m_row = inside(m_row, rows);
    m_rowSel = inside(m_rowSel, rows);
    m_col = inside(m_col, cols);
    m_colSel = inside(m_colSel, cols);
    updateScrollBars();
    repaintAll();
}

void FlexGrid::setFixedRows(int rows)
{
    if (rows < 0 || rows > Rows())
        throw Error::invalidPropertyValue();
    m_fixedRows = rows;
    updateScrollBars();
    repaintAll();
}

void FlexGrid::setFixedCols(int cols)
{
    if (cols < 0 || cols > Cols())
        throw Error::invalidPropertyValue();
    m_fixedCols = cols;
    updateScrollBars();
    repaintAll();
}

void FlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= Rows())
        throw subscriptOutOfRange();
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw subscriptOutOfRange();
}

void FlexGrid::checkRowOrAll(int row) const
{
    if (row != -1)
        checkRow(row);
}

void FlexGrid::checkColOrAll(int col) const
{
    if (col != -1)
        checkCol(col);
}

// An empty grid has no current cell even though Row and Col read 0.
void FlexGrid::checkCurrentCell() const
{
    checkRow(m_row);
    checkCol(m_col);
}

void FlexGrid::setRow(int row)
{
    checkRow(row);
    m_row = m_rowSel = row;
    m_colSel = m_col;
    repaintAll();
}

void FlexGrid::setCol(int col)
{
    checkCol(col);
    m_col = m_colSel = col;
    m_rowSel = m_row;
    repaintAll();
}

void FlexGrid::setRowSel(int row)
{
    checkRow(row);
    m_rowSel = row;
    repaintAll();
}

void FlexGrid::setColSel(int col)
{
    checkCol(col);
    m_colSel = col;
    repaintAll();
}

QString FlexGrid::Text() const
{
    checkCurrentCell();
    return m_cells->text(m_row, m_col);
}

void FlexGrid::setText(const QString& text)
{
    checkCurrentCell();
    m_cells->setText(m_row, m_col, text);
    repaintCurrentCell();
}

QColor FlexGrid::CellBackColor() const
{
    checkCurrentCell();
    const FlexGridCells::Record& record = m_cells->at(m_row, m_col);
    if (record.hasBackColor)
        return QColor(record.backColor);
    return FlexGridPainter::defaultBackColor(palette(), m_row < m_fixedRows || m_col < m_fixedCols);
}

void FlexGrid::setCellBackColor(const QColor& color)
{
    checkCurrentCell();
    if (!color.isValid())
        throw Error::invalidPropertyValue();
    m_cells->setBackColor(m_row, m_col, color.rgb());
    repaintCurrentCell();
}

QPixmap FlexGrid::CellPicture() const
{
    checkCurrentCell();
    return m_cells->picture(m_row, m_col);
}

void FlexGrid::setCellPicture(const QPixmap& picture)
{
    checkCurrentCell();
    m_cells->setPicture(m_row, m_col, picture);
    repaintCurrentCell();
}

// An icon is fixed to the size that best fills the cell as it is now.
void FlexGrid::setCellPicture(const QIcon& picture)
{
    checkCurrentCell();
    if (picture.isNull()) {
        setCellPicture(QPixmap());
        return;
    }
    ensurePixels();
    QSize room(m_colAxis->pixels(m_col) - 1, m_rowAxis->pixels(m_row) - 1);
    if (room.isEmpty())
        room = FallbackPictureSize;
    setCellPicture(picture.pixmap(picture.actualSize(room), devicePixelRatioF()));
}

int FlexGrid::CellPictureAlignment() const
{
    checkCurrentCell();
    return m_cells->at(m_row, m_col).pictureAlignment;
}

void FlexGrid::setCellPictureAlignment(int code)
{
    checkCurrentCell();
    if (code < 0 || code > LastPictureAlignment)
        throw Error::invalidPropertyValue();
    m_cells->setPictureAlignment(m_row, m_col, quint8(code));
    repaintCurrentCell();
}

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    return m_colAxis->sizeTwips(col);
}

void FlexGrid::setColWidth(int col, int widthTwips)
{
    checkColOrAll(col);
    if (widthTwips < 0)
        throw Error::invalidPropertyValue();
    if (col == -1)
        m_colAxis->setAllTwips(widthTwips);
    else
        m_colAxis->setSizeTwips(col, widthTwips);
    updateScrollBars();
    repaintAll();
}

int FlexGrid::RowHeight(int row) const
{
    checkRow(row);
    return m_rowAxis->sizeTwips(row);
}

void FlexGrid::setRowHeight(int row, int heightTwips)
{
    checkRowOrAll(row);
    if (heightTwips < 0)
        throw Error::invalidPropertyValue();
    if (row == -1)
        m_rowAxis->setAllTwips(heightTwips);
    else
        m_rowAxis->setSizeTwips(row, heightTwips);
    updateScrollBars();
    repaintAll();
}

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return m_colAlignment[size_t(col)];
}

void FlexGrid::setColAlignment(int col, int code)
{
    checkColOrAll(col);
    if (code < 0 || code > GeneralAlignment)
        throw Error::invalidPropertyValue();
    if (col == -1) {
        std::fill(m_colAlignment.begin(), m_colAlignment.end(), quint8(code));
        m_defaultColAlignment = quint8(code);
    } else {
        m_colAlignment[size_t(col)] = quint8(code);
    }
    repaintAll();
}

qint32 FlexGrid::RowData(int row) const
{
    checkRow(row);
    return m_rowData[size_t(row)];
}

void FlexGrid::setRowData(int row, qint32 data)
{
    checkRow(row);
    m_rowData[size_t(row)] = data;
}

void FlexGrid::setRedraw(bool redraw)
{
    if (redraw == m_redraw)
        return;
    m_redraw = redraw;
    repaintAll();
}

void FlexGrid::Clear()
{
    m_cells->clear();
    repaintAll();
}

void FlexGrid::AddItem(const QString& text)
{
    checkCol(0);
    const int row = Rows();
    resizeGrid(row + 1, Cols());
    m_cells->setText(row, 0, text);
}

int FlexGrid::TopRow() const
{
    return verticalScrollBar()->value();
}

void FlexGrid::setTopRow(int row)
{
    if (row < m_fixedRows || row >= Rows())
        throw subscriptOutOfRange();
    verticalScrollBar()->setValue(row);
}

int FlexGrid::LeftCol() const
{
    return horizontalScrollBar()->value();
}

void FlexGrid::setLeftCol(int col)
{
    if (col < m_fixedCols || col >= Cols())
        throw subscriptOutOfRange();
    horizontalScrollBar()->setValue(col);
}

bool FlexGrid::ColIsVisible(int col) const
{
    checkCol(col);
    if (col < m_fixedCols)
        return true;
    // Asking the screen for its DPI costs more than the rest of this; a DPI change reaches the
    // offsets at the next paint.
    if (m_colAxis->sizesChanged() || m_rowAxis->sizesChanged())
        ensurePixels();
    const qint64 fixedWidth = m_colAxis->offset(std::min(m_fixedCols, m_colAxis->count()));
    const qint64 left = fixedWidth + m_colAxis->offset(col) - m_colAxis->offset(LeftCol());
    return col >= LeftCol() && left + m_colAxis->pixels(col) <= viewport()->width();
}

QSize FlexGrid::sizeHint() const
{
    ensurePixels();
    const QMargins frame = contentsMargins();
    const QSize cells(int(std::min<qint64>(m_colAxis->total(), 600)),
                      int(std::min<qint64>(m_rowAxis->total(), 400)));
    return cells + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

void FlexGrid::ensurePixels() const
{
    m_rowAxis->ensurePixels(logicalDpiY());
    m_colAxis->ensurePixels(logicalDpiX());
}

// The scroll bars count scrolled rows and columns, so their values are TopRow and LeftCol.
void FlexGrid::updateScrollBars()
{
    ensurePixels();
    const QSize room = viewport()->size();
    const auto fit = [](QScrollBar* bar, const FlexGridAxis& axis, int fixed, int extent) {
        const qint64 fixedPixels = axis.offset(std::min(fixed, axis.count()));
        const int last = axis.lastScrollStart(fixed, extent - fixedPixels);
        bar->setRange(fixed, last);
        const int shown =
            axis.count() > fixed
                ? axis.indexAt(axis.offset(bar->value()) + extent - fixedPixels) - bar->value()
                : 1;
        bar->setPageStep(std::max(1, shown));
        bar->setSingleStep(1);
    };
    fit(verticalScrollBar(), *m_rowAxis, m_fixedRows, room.height());
    fit(horizontalScrollBar(), *m_colAxis, m_fixedCols, room.width());
}

void FlexGrid::repaintAll()
{
    if (m_redraw)
        viewport()->update();
}

void FlexGrid::repaintCurrentCell()
{
    if (!m_redraw)
        return;
    // The whole band of the row: a text may run on over its empty neighbours.
    const QRect cell = visibleCellRect(m_row, m_col);
    if (!cell.isEmpty())
        viewport()->update(0, cell.top(), viewport()->width(), cell.height());
}

QRect FlexGrid::cellRect(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    return visibleCellRect(row, col);
}

// Where a cell shows in the viewport; empty when it is scrolled out to the top or left.
QRect FlexGrid::visibleCellRect(int row, int col) const
{
    ensurePixels();
    const auto place = [](const FlexGridAxis& axis, int index, int fixed, int first) -> qint64 {
        if (index < fixed)
            return axis.offset(index);
        if (index < first)
            return -1;
        return axis.offset(std::min(fixed, axis.count())) + axis.offset(index) - axis.offset(first);
    };
    const qint64 x = place(*m_colAxis, col, m_fixedCols, LeftCol());
    const qint64 y = place(*m_rowAxis, row, m_fixedRows, TopRow());
    if (x < 0 || y < 0 || x > viewport()->width() || y > viewport()->height())
        return {};
    return QRect(int(x), int(y), m_colAxis->pixels(col), m_rowAxis->pixels(row));
}

void FlexGrid::paintEvent(QPaintEvent* event)
{
    if (!m_redraw)
        return;
    ensurePixels();
    QPainter painter(viewport());
    const FlexGridPaintState state{*m_rowAxis,  *m_colAxis, *m_cells,  m_colAlignment, m_fixedRows,
                                   m_fixedCols, TopRow(),   LeftCol(), m_row,          m_col,
                                   m_rowSel,    m_colSel,   palette()};
    FlexGridPainter(painter, state).paint(viewport()->rect(), event->rect());
}

void FlexGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void FlexGrid::scrollContentsBy(int, int)
{
    updateScrollBars();
    repaintAll();
}

void FlexGrid::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        repaintAll();
        break;
    default:
        break;
    }
}

} // namespace vellum::common
