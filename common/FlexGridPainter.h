#pragma once

#include "FlexGridCells.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <Qt>
#include <vector>

class QPainter;
class QPixmap;

namespace vellum::common {

class FlexGridAxis;

// Qt alignment of the grid's codes: 0..8 run left-top, left-centre, left-bottom, centre-top …
// right-bottom; 9 (general) puts numbers right and other text left.
Qt::Alignment flexGridAlignment(int code, bool numeric = false);

// What one paint of a grid needs to know. Axes must have their pixels ensured.
struct FlexGridPaintState
{
    const FlexGridAxis& rows;
    const FlexGridAxis& cols;
    const FlexGridCells& cells;
    const std::vector<quint8>& colAlignment;
    int fixedRows;
    int fixedCols;
    int topRow;
    int leftCol;
    int row;
    int col;
    int rowSel;
    int colSel;
    QPalette palette;
};

// Paints the visible cells only: the frozen header rows and columns, then the scrolled body,
// each clipped to its own part of the viewport.
class FlexGridPainter
{
public:
    FlexGridPainter(QPainter& painter, const FlexGridPaintState& state);

    // `exposed` limits the work to the part of the viewport that needs it.
    void paint(QRect viewport, QRect exposed);

    static QColor defaultBackColor(const QPalette& palette, bool fixed);

private:
    struct Block
    {
        int firstRow;
        int lastRow;
        int firstCol;
        int lastCol;
        QPoint origin; // where offset 0 of both axes lands
        bool fixed;
    };

    QRect cellRect(const Block& block, int row, int col) const;
    QRect blockRect(const Block& block) const;
    void paintBlock(const Block& block, QRect clip);
    void paintBackColors(const Block& block);
    void paintSelection(const Block& block);
    void paintGridLines(const Block& block);
    void paintHeaderEdges(const Block& block);
    QColor backColor(const FlexGridCells::Record& record, bool fixed) const;
    QRect innerRect(const Block& block, int row, int col) const;
    void paintPictures(const Block& block);
    void paintTexts(const Block& block);
    void paintPicture(const QPixmap& picture, QRect area, int alignmentCode);
    void paintFocusFrame(const Block& block);

    QPainter& m_painter;
    const FlexGridPaintState& m_state;
};

} // namespace vellum::common
