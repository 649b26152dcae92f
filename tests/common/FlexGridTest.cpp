#include "FlexGrid.h"

#include "ErrorNumber.h"
#include "MouseCodes.h"
#include "QtPrinters.h"
#include "Twips.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gmock/gmock.h>

using namespace vellum;
using namespace vellum::common;

namespace {

constexpr int TitlePx = 60;
constexpr int CellPx = 20;
constexpr int RowPx = 17;

// 2 fixed columns (a 60 px title, then 20 px) and a fixed header row over 40 x 30 cells of
// 20 x 17 px, inside a larger window so that the mouse can leave the grid.
class FlexGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(600, 400);
        grid.setGeometry(20, 20, 400, 200);
        grid.setCols(42);
        grid.setRows(31);
        grid.setFixedCols(2);
        grid.setColWidth(-1, pixelsToTwips(CellPx, grid.logicalDpiX()));
        grid.setRowHeight(-1, pixelsToTwips(RowPx, grid.logicalDpiY()));
        grid.setColWidth(0, pixelsToTwips(TitlePx, grid.logicalDpiX()));
    }

    void showGrid()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The centre of a cell in viewport coordinates at the current scroll position.
    QPoint centreOf(int row, int col) const
    {
        const int x =
            col < 2 ? (col == 0 ? 0 : TitlePx) : TitlePx + CellPx + (col - grid.LeftCol()) * CellPx;
        const int y = row < 1 ? 0 : RowPx + (row - grid.TopRow()) * RowPx;
        return QPoint(x + (col == 0 ? TitlePx : CellPx) / 2, y + RowPx / 2);
    }

    QWidget* viewport() { return grid.viewport(); }

    void setCell(int row, int col, const QString& text)
    {
        grid.setRow(row);
        grid.setCol(col);
        grid.setText(text);
    }

    QString textAt(int row, int col)
    {
        grid.setRow(row);
        grid.setCol(col);
        return grid.Text();
    }

    // Everything a refused call could have disturbed.
    QStringList snapshot()
    {
        QStringList state{grid.Text(), grid.CellBackColor().name()};
        for (int value :
             {grid.Rows(), grid.Cols(), grid.FixedRows(), grid.FixedCols(), grid.Row(), grid.Col(),
              grid.RowSel(), grid.ColSel(), grid.TopRow(), grid.LeftCol(), grid.MousePointer()})
            state << QString::number(value);
        for (int col = 0; col < grid.Cols(); ++col)
            state << QStringLiteral("w%1a%2").arg(grid.ColWidth(col)).arg(grid.ColAlignment(col));
        for (int row = 0; row < grid.Rows(); ++row)
            state << QStringLiteral("h%1d%2").arg(grid.RowHeight(row)).arg(grid.RowData(row));
        return state;
    }
    // Row, column, selection end row and column.
    std::tuple<int, int, int, int> selection() const
    {
        return {grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()};
    }

    QWidget window;
    FlexGrid grid{&window};
};

} // namespace

TEST_F(FlexGridTest, RefusalsKeepTheirNumberAndChangeNothing)
{
    setCell(4, 5, QStringLiteral("kept"));
    grid.setCellBackColor(QColor(1, 2, 3));
    grid.setRowSel(6);
    grid.setRowData(4, 410);
    grid.setLeftCol(7);
    const QStringList before = snapshot();
    const struct
    {
        const char* name;
        int number;
        std::function<void(FlexGrid&)> call;
    } rows[] = {
        {"RowMinusOne", 381, [](FlexGrid& g) { g.setRow(-1); }},
        {"RowPastEnd", 381, [](FlexGrid& g) { g.setRow(g.Rows()); }},
        {"ColMinusOne", 381, [](FlexGrid& g) { g.setCol(-1); }},
        {"ColPastEnd", 381, [](FlexGrid& g) { g.setCol(g.Cols()); }},
        {"RowSelPastEnd", 381, [](FlexGrid& g) { g.setRowSel(g.Rows()); }},
        {"ColSelMinusOne", 381, [](FlexGrid& g) { g.setColSel(-1); }},
        {"ColWidthPastEnd", 381, [](FlexGrid& g) { g.setColWidth(g.Cols(), 300); }},
        {"ColWidthMinusTwo", 381, [](FlexGrid& g) { g.setColWidth(-2, 300); }},
        {"NegativeWidth", 380, [](FlexGrid& g) { g.setColWidth(-1, -15); }},
        {"RowHeightPastEnd", 381, [](FlexGrid& g) { g.setRowHeight(g.Rows(), 255); }},
        {"NegativeHeight", 380, [](FlexGrid& g) { g.setRowHeight(3, -1); }},
        {"AlignmentPastEnd", 381, [](FlexGrid& g) { g.setColAlignment(g.Cols(), 1); }},
        {"AlignmentCode", 380, [](FlexGrid& g) { g.setColAlignment(-1, 10); }},
        {"RowDataMissingRow", 381, [](FlexGrid& g) { g.setRowData(g.Rows(), 1); }},
        {"RowDataRead", 381, [](FlexGrid& g) { (void)g.RowData(-1); }},
        {"PictureAlignment", 380, [](FlexGrid& g) { g.setCellPictureAlignment(9); }},
        {"NoColour", 380, [](FlexGrid& g) { g.setCellBackColor(QColor()); }},
        {"RowsBelowFixed", 380, [](FlexGrid& g) { g.setRows(0); }},
        {"FixedColsPastCols", 380, [](FlexGrid& g) { g.setFixedCols(g.Cols() + 1); }},
        {"TopRowInHeader", 381, [](FlexGrid& g) { g.setTopRow(0); }},
        {"LeftColPastEnd", 381, [](FlexGrid& g) { g.setLeftCol(g.Cols()); }},
        {"IconPointer", 380, [](FlexGrid& g) { g.setMousePointer(4); }},
        {"DragAction", 380, [](FlexGrid& g) { g.Drag(3); }},
        {"ColIsVisiblePastEnd", 381, [](FlexGrid& g) { (void)g.ColIsVisible(42); }},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vellum::testing::errorNumberOf([&] { row.call(grid); }), row.number) << row.name;
        EXPECT_EQ(snapshot(), before) << row.name;
    }
}

TEST_F(FlexGridTest, ResizingKeepsTheCellsThatStillFitAndClearKeepsTheShape)
{
    QPixmap key(8, 8);
    key.fill(Qt::red);
    setCell(0, 41, QStringLiteral("last header"));
    setCell(30, 0, QStringLiteral("last title"));
    setCell(2, 3, QStringLiteral("inner"));
    grid.setCellPicture(key);
    grid.setCellPictureAlignment(6);
    grid.setCellBackColor(Qt::cyan);
    grid.setRowData(2, 210);
    const auto inner = [&] {
        const QString text = textAt(2, 3); // the current cell from here on
        return std::tuple(text, grid.CellPicture().cacheKey(), grid.CellPictureAlignment(),
                          grid.CellBackColor(), grid.RowData(2));
    };
    const auto kept = std::tuple(QStringLiteral("inner"), key.cacheKey(), 6, QColor(Qt::cyan), 210);

    grid.setCols(60);
    grid.setRows(50);
    EXPECT_EQ(inner(), kept);
    EXPECT_EQ(std::tuple(textAt(0, 41), textAt(30, 0)),
              std::tuple(QStringLiteral("last header"), QStringLiteral("last title")));
    EXPECT_EQ(textAt(49, 59), QString());

    grid.setCols(10);
    grid.setRows(20);
    EXPECT_EQ(std::tuple(grid.Row(), grid.Col()), std::tuple(19, 9))
        << "current cell pulled inside";
    EXPECT_EQ(inner(), kept);
    grid.setCols(42);
    grid.setRows(31);
    EXPECT_EQ(std::tuple(textAt(0, 41), textAt(30, 0)), std::tuple(QString(), QString()))
        << "cut cells do not come back";
    EXPECT_EQ(grid.ColWidth(41), pixelsToTwips(CellPx, grid.logicalDpiX()));

    // Clear empties the cells and gives them back their first colours.
    grid.setRow(1);
    grid.setCol(1);
    const QColor header = grid.CellBackColor();
    setCell(5, 5, QStringLiteral("text"));
    const QColor body = grid.CellBackColor();
    EXPECT_NE(header, body);
    grid.setCellPicture(key);
    grid.setCellBackColor(QColor(0, 228, 228));
    setCell(0, 7, QStringLiteral(":01"));
    grid.setCellBackColor(QColor(255, 128, 128));
    grid.Clear();
    EXPECT_EQ(
        std::tuple(grid.Rows(), grid.Cols(), grid.ColWidth(0), grid.Text(), grid.CellBackColor()),
        std::tuple(31, 42, pixelsToTwips(TitlePx, grid.logicalDpiX()), QString(), header));
    grid.setRow(5);
    grid.setCol(5);
    EXPECT_EQ(std::tuple(grid.Text(), grid.CellPicture().isNull(), grid.CellBackColor()),
              std::tuple(QString(), true, body));

    // Rows added after set a height for all rows take it; column 0 holds the title.
    grid.setRowHeight(-1, 300);
    grid.setRow(30);
    grid.AddItem(QStringLiteral("   Camera"));
    ASSERT_EQ(grid.Rows(), 32);
    EXPECT_EQ(std::tuple(textAt(31, 0), textAt(31, 1), grid.RowHeight(31), grid.RowData(31)),
              std::tuple(QStringLiteral("   Camera"), QString(), 300, 0));
}

TEST_F(FlexGridTest, SamePictureInThousandsOfCellsIsOnePixmap)
{
    grid.setCols(3000);
    QPixmap key(16, 16);
    key.fill(Qt::yellow);
    grid.setRow(5);
    for (int col = 2; col < grid.Cols(); ++col) {
        grid.setCol(col);
        grid.setCellPicture(QIcon(key));
    }
    grid.setCol(2);
    const qint64 first = grid.CellPicture().cacheKey();
    grid.setCol(2999);
    EXPECT_EQ(grid.CellPicture().cacheKey(), first);
    EXPECT_EQ(grid.CellPicture().size(), QSize(16, 16));
    grid.setCellPicture(QPixmap());
    EXPECT_TRUE(grid.CellPicture().isNull());
}

TEST_F(FlexGridTest, RedrawOffNeitherPaintsNorQueuesAndOnPaintsOnce)
{
    showGrid();
    int paints = 0;
    struct PaintCounter : QObject
    {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    viewport()->installEventFilter(&counter);
    QSignalSpy selections(&grid, &FlexGrid::SelChange);

    setCell(3, 4, QStringLiteral("on"));
    QCoreApplication::processEvents();
    EXPECT_GE(paints, 1) << "the counter sees paints";

    paints = 0;
    grid.setRedraw(false);
    for (int col = 2; col < 30; ++col) {
        setCell(3, col, QStringLiteral("x"));
        grid.setCellBackColor(Qt::green);
    }
    grid.setColWidth(-1, 400);
    grid.setRows(40);
    grid.Clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 0);
    EXPECT_EQ(selections.count(), 0);

    grid.setRedraw(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 1);
}

// Only columns wholly on show count as visible.
TEST_F(FlexGridTest, HeaderRowAndColumnsStayWhileTheBodyScrolls)
{
    showGrid();
    const struct
    {
        int row, col;
        Qt::GlobalColor colour;
        QPoint shownAt; // the cell's centre after the scroll
    } cells[] = {{0, 0, Qt::red, {TitlePx / 2, RowPx / 2}},
                 {0, 12, Qt::blue, {TitlePx + CellPx + CellPx / 2, RowPx / 2}},
                 {9, 12, Qt::yellow, {TitlePx + CellPx + CellPx / 2, RowPx + RowPx / 2}},
                 {9, 1, Qt::green, {TitlePx + CellPx / 2, RowPx + RowPx / 2}}};
    for (const auto& cell : cells) {
        grid.setRow(cell.row);
        grid.setCol(cell.col);
        grid.setCellBackColor(cell.colour);
    }
    grid.setRow(1);
    grid.setCol(2);
    grid.setLeftCol(12);
    grid.setTopRow(9);
    ASSERT_EQ(std::tuple(grid.LeftCol(), grid.TopRow()), std::tuple(12, 9));
    EXPECT_EQ(std::tuple(grid.ColIsVisible(1), grid.ColIsVisible(11)), std::tuple(true, false));
    int last = 12;
    while (grid.ColIsVisible(last + 1))
        ++last;
    const int rightEdge = TitlePx + CellPx + (last + 1 - 12) * CellPx;
    EXPECT_LE(rightEdge, grid.viewport()->width());
    EXPECT_GT(rightEdge + CellPx, grid.viewport()->width()) << "the next one is cut off";
    const QImage shown = viewport()->grab().toImage();
    for (const auto& cell : cells)
        EXPECT_EQ(shown.pixelColor(cell.shownAt + QPoint(-6, -5)), QColor(cell.colour))
            << cell.row << "," << cell.col;

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(std::tuple(grid.MouseRow(), grid.MouseCol()), std::tuple(0, 0));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, centreOf(10, 13));
    EXPECT_EQ(std::tuple(grid.MouseRow(), grid.MouseCol()), std::tuple(10, 13));
}

TEST_F(FlexGridTest, AClickMakesTheCellCurrentAndADragSelectsABlock)
{
    showGrid();
    std::vector<QString> order;
    QObject::connect(&grid, &FlexGrid::MouseDown, [&](int button, int shift, float, float) {
        order.push_back(QStringLiteral("down %1 %2 at %3,%4")
                            .arg(button)
                            .arg(shift)
                            .arg(grid.Row())
                            .arg(grid.Col()));
    });
    QObject::connect(&grid, &FlexGrid::MouseUp, [&](int button, int shift, float, float) {
        order.push_back(QStringLiteral("up %1 %2").arg(button).arg(shift));
    });
    QObject::connect(&grid, &FlexGrid::Click, [&] { order.push_back(QStringLiteral("click")); });
    QSignalSpy selections(&grid, &FlexGrid::SelChange);

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, centreOf(4, 7));
    EXPECT_EQ(std::tuple(grid.MouseRow(), grid.MouseCol()), std::tuple(4, 7));
    EXPECT_EQ(selection(), std::tuple(4, 7, 4, 7));
    EXPECT_EQ(selections.count(), 1);
    EXPECT_THAT(order, ::testing::ElementsAre(QStringLiteral("down 1 0 at 4,7"),
                                              QStringLiteral("up 1 0"), QStringLiteral("click")));

    // A header cell is reported but does not become current.
    QTest::mouseClick(viewport(), Qt::RightButton, Qt::ControlModifier, centreOf(0, 9));
    EXPECT_EQ(std::tuple(grid.MouseRow(), grid.MouseCol()), std::tuple(0, 9));
    EXPECT_EQ(selection(), std::tuple(4, 7, 4, 7));
    EXPECT_EQ(order.back(), QStringLiteral("up 2 2"));

    // Dragging over cells selects a block.
    selections.clear();
    QSignalSpy moves(&grid, &FlexGrid::MouseMove);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(3, 10));
    QTest::mouseMove(viewport(), centreOf(5, 12));
    QTest::mouseMove(viewport(), centreOf(6, 8));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, centreOf(6, 8));
    EXPECT_EQ(selection(), std::tuple(3, 10, 6, 8));
    EXPECT_EQ(selections.count(), 3);
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(0).at(0).toInt(), MouseCode::LeftButton);
    EXPECT_EQ(std::tuple(grid.MouseRow(), grid.MouseCol()), std::tuple(6, 8));

    // Into the header the block stops at the first scrolled row and column.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(4, 4));
    QTest::mouseMove(viewport(), QPoint(5, 5));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(selection(), std::tuple(4, 4, 1, 2));

    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(9, 9));
    EXPECT_EQ(selection(), std::tuple(4, 4, 9, 9));
}

TEST_F(FlexGridTest, DragReportsOverLeaveAndDropInsteadOfMouseEvents)
{
    showGrid();
    QObject::connect(&grid, &FlexGrid::MouseDown, [this] { grid.Drag(FlexGrid::DragBegin); });
    QSignalSpy over(&grid, &FlexGrid::DragOver);
    QSignalSpy drops(&grid, &FlexGrid::DragDrop);
    QSignalSpy moves(&grid, &FlexGrid::MouseMove);
    QSignalSpy ups(&grid, &FlexGrid::MouseUp);
    QSignalSpy clicks(&grid, &FlexGrid::Click);
    const auto states = [&] {
        QList<int> all;
        for (const QList<QVariant>& args : over)
            all << args.at(2).toInt();
        return all;
    };

    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(2, 4));
    ASSERT_TRUE(grid.isDragging());
    const QPoint target = centreOf(2, 9);
    QTest::mouseMove(viewport(), centreOf(2, 6));
    QTest::mouseMove(viewport(), target);
    EXPECT_EQ(states(), (QList<int>{2, 2}));
    EXPECT_EQ(over.last().at(0).toInt(), target.x());
    EXPECT_EQ(grid.MouseCol(), 9);
    QTest::mouseMove(viewport(), QPoint(-15, 10));
    QTest::mouseMove(viewport(), QPoint(-18, 10));
    EXPECT_EQ(states(), (QList<int>{2, 2, 1})) << "leaving is reported once";
    QTest::mouseMove(viewport(), target);
    EXPECT_EQ(states(), (QList<int>{2, 2, 1, 0}));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, target);
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops.at(0), (QList<QVariant>{target.x(), target.y()}));
    EXPECT_FALSE(grid.isDragging());
    EXPECT_EQ(std::tuple(moves.count(), ups.count(), clicks.count()), std::tuple(0, 0, 0));

    // A drag released outside the grid drops nothing.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(2, 4));
    QTest::mouseMove(viewport(), QPoint(-15, 10));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(-15, 10));
    EXPECT_EQ(drops.count(), 1);
    EXPECT_EQ(over.last().at(2).toInt(), int(FlexGrid::DragLeave));

    // The pointer a drag handler sets shows over the cells.
    const auto cursor = [this] {
        return std::tuple(grid.MousePointer(), viewport()->testAttribute(Qt::WA_SetCursor),
                          viewport()->cursor().shape());
    };
    grid.setMousePointer(9);
    EXPECT_EQ(cursor(), std::tuple(9, true, Qt::SizeHorCursor));
    grid.setMousePointer(0);
    EXPECT_EQ(cursor(), std::tuple(0, false, Qt::ArrowCursor));
}
