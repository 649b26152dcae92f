#pragma once

#include "VellumCommonExport.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <memory>

namespace vellum::common {

class FlexGridAxis;
class FlexGridCells;

// Grid of text and picture cells with frozen header rows (top) and columns (left). Cell
// contents are read and written through the current cell (Row, Col); RowSel and ColSel are
// the opposite corner of the selected block. Sizes are in twips. Whatever addresses a row or
// column that does not exist throws Error 381 and a value the grid cannot take Error 380; a
// refused call changes nothing.
//
// While Redraw is False nothing is painted or queued for painting; turning it back on paints
// once. Drag(1) starts a drag inside the grid: moves then report DragOver, and the release
// reports DragDrop instead of MouseUp and Click.
class VELLUMCOMMON_EXPORT FlexGrid : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(int Rows READ Rows WRITE setRows)
    Q_PROPERTY(int Cols READ Cols WRITE setCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
    Q_PROPERTY(int Row READ Row WRITE setRow)
    Q_PROPERTY(int Col READ Col WRITE setCol)
    Q_PROPERTY(int RowSel READ RowSel WRITE setRowSel)
    Q_PROPERTY(int ColSel READ ColSel WRITE setColSel)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(QColor CellBackColor READ CellBackColor WRITE setCellBackColor)
    Q_PROPERTY(int CellPictureAlignment READ CellPictureAlignment WRITE setCellPictureAlignment)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw)
    Q_PROPERTY(int TopRow READ TopRow WRITE setTopRow)
    Q_PROPERTY(int LeftCol READ LeftCol WRITE setLeftCol)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)

public:
    enum DragAction
    {
        DragBegin = 1,
        DragEnd = 2
    };
    enum DragState
    {
        DragEnter = 0,
        DragLeave = 1,
        DragOverState = 2
    };

    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Growing or shrinking keeps every cell that still fits; the current cell and the block
    // are pulled inside. Neither may drop below the fixed count.
    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows);
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int cols);

    // Moving the current cell collapses the block onto it.
    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int row);
    int ColSel() const { return m_colSel; }
    void setColSel(int col);

    // The current cell.
    QString Text() const;
    void setText(const QString& text);
    // A cell never given a colour reports the header or the body colour it is painted with.
    QColor CellBackColor() const;
    void setCellBackColor(const QColor& color);
    QPixmap CellPicture() const;
    void setCellPicture(const QPixmap& picture);
    void setCellPicture(const QIcon& picture);
    int CellPictureAlignment() const;
    void setCellPictureAlignment(int code);

    // Index -1 means every row or column, including those added later.
    int ColWidth(int col) const;
    void setColWidth(int col, int widthTwips);
    int RowHeight(int row) const;
    void setRowHeight(int row, int heightTwips);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);
    qint32 RowData(int row) const;
    void setRowData(int row, qint32 data);

    bool Redraw() const { return m_redraw; }
    void setRedraw(bool redraw);
    void Clear();
    void AddItem(const QString& text);

    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }
    // The first scrolled row and column on show.
    int TopRow() const;
    void setTopRow(int row);
    int LeftCol() const;
    void setLeftCol(int col);
    // Where the cell shows in the viewport, in pixels; empty when it is scrolled out of sight.
    QRect cellRect(int row, int col) const;
    // Whether the whole column is on show; fixed columns always are.
    bool ColIsVisible(int col) const;
    // 0 default, 1 arrow, 2 cross, 3 I-beam, 5 and 15 move, 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E,
    // 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and question mark.
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);

    void Drag(int action);
    bool isDragging() const { return m_dragState != DragIdle; }

    QSize sizeHint() const override;

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Click();
    void SelChange();
    void DragOver(int x, int y, int state);
    void DragDrop(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum DragProgress
    {
        DragIdle,
        DragInside,
        DragOutside
    };

    void checkRow(int row) const;
    void checkCol(int col) const;
    void checkRowOrAll(int row) const;
    void checkColOrAll(int col) const;
    void checkCurrentCell() const;
    void ensurePixels() const;
    void updateScrollBars();
    void repaintAll();
    void repaintCurrentCell();
    void resizeGrid(int rows, int cols);
    void trackMouse(QPointF at);
    QPoint cellAt(QPointF at) const;
    QRect visibleCellRect(int row, int col) const;
    void selectByUser(int row, int col, int rowSel, int colSel);
    void pressCell(QPoint cell, Qt::KeyboardModifiers modifiers);
    void extendSelection(QPointF at);
    void scrollTowards(QPointF at);
    void moveDrag(QPointF at);
    void leaveDrag(QPointF at);

    std::unique_ptr<FlexGridAxis> m_rowAxis;
    std::unique_ptr<FlexGridAxis> m_colAxis;
    std::unique_ptr<FlexGridCells> m_cells;
    std::vector<quint8> m_colAlignment;
    quint8 m_defaultColAlignment;
    std::vector<qint32> m_rowData;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    bool m_redraw = true;
    int m_mouseRow = 0;
    int m_mouseCol = 0;
    int m_mousePointer = 0;
    bool m_selecting = false;
    DragProgress m_dragState = DragIdle;
};

} // namespace vellum::common
