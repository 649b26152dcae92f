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

    QColor shownAt(int row, int col)
    {
        return viewport()->grab().toImage().pixelColor(centreOf(row, col) + QPoint(-6, -5));
    }

    // Everything a refused call could have disturbed.
    QStringList snapshot()
    {
        QStringList state{QString::number(grid.Rows()),
                          QString::number(grid.Cols()),
                          QString::number(grid.FixedRows()),
                          QString::number(grid.FixedCols()),
                          QString::number(grid.Row()),
                          QString::number(grid.Col()),
                          QString::number(grid.RowSel()),
                          QString::number(grid.ColSel()),
                          grid.Text(),
                          grid.CellBackColor().name(),
                          QString::number(grid.TopRow()),
                          QString::number(grid.LeftCol()),
                          QString::number(grid.MousePointer())};
        for (int col = 0; col < grid.Cols(); ++col)
            state << QStringLiteral("w%1a%2").arg(grid.ColWidth(col)).arg(grid.ColAlignment(col));
        for (int row = 0; row < grid.Rows(); ++row)
            state << QStringLiteral("h%1d%2").arg(grid.RowHeight(row)).arg(grid.RowData(row));
        return state;
    }

    QWidget window;
    FlexGrid grid{&window};
};

struct Refusal
{
    const char* name;
    int number;
    std::function<void(FlexGrid&)> call;
};

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << refusal.name;
}

class FlexGridRefusal : public FlexGridTest, public ::testing::WithParamInterface<Refusal>
{};

} // namespace

TEST_P(FlexGridRefusal, RefusedWithItsNumberAndNothingChanges)
{
    setCell(4, 5, QStringLiteral("kept"));
    grid.setCellBackColor(QColor(1, 2, 3));
    grid.setRowSel(6);
    grid.setRowData(4, 410);
    grid.setLeftCol(7);
    const QStringList before = snapshot();
    EXPECT_EQ(vellum::testing::errorNumberOf([this] { GetParam().call(grid); }), GetParam().number);
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FlexGridRefusal,
    ::testing::Values(
        Refusal{"RowMinusOne", 381, [](FlexGrid& g) { g.setRow(-1); }},
        Refusal{"RowPastEnd", 381, [](FlexGrid& g) { g.setRow(g.Rows()); }},
        Refusal{"ColMinusOne", 381, [](FlexGrid& g) { g.setCol(-1); }},
        Refusal{"ColPastEnd", 381, [](FlexGrid& g) { g.setCol(g.Cols()); }},
        Refusal{"RowSelPastEnd", 381, [](FlexGrid& g) { g.setRowSel(g.Rows()); }},
        Refusal{"ColSelMinusOne", 381, [](FlexGrid& g) { g.setColSel(-1); }},
        Refusal{"ColWidthPastEnd", 381, [](FlexGrid& g) { g.setColWidth(g.Cols(), 300); }},
        Refusal{"ColWidthMinusTwo", 381, [](FlexGrid& g) { g.setColWidth(-2, 300); }},
        Refusal{"NegativeWidth", 380, [](FlexGrid& g) { g.setColWidth(-1, -15); }},
        Refusal{"RowHeightPastEnd", 381, [](FlexGrid& g) { g.setRowHeight(g.Rows(), 255); }},
        Refusal{"NegativeHeight", 380, [](FlexGrid& g) { g.setRowHeight(3, -1); }},
        Refusal{"AlignmentPastEnd", 381, [](FlexGrid& g) { g.setColAlignment(g.Cols(), 1); }},
        Refusal{"AlignmentCode", 380, [](FlexGrid& g) { g.setColAlignment(-1, 10); }},
        Refusal{"RowDataMissingRow", 381, [](FlexGrid& g) { g.setRowData(g.Rows(), 1); }},
        Refusal{"RowDataRead", 381, [](FlexGrid& g) { (void)g.RowData(-1); }},
        Refusal{"PictureAlignment", 380, [](FlexGrid& g) { g.setCellPictureAlignment(9); }},
        Refusal{"NoColour", 380, [](FlexGrid& g) { g.setCellBackColor(QColor()); }},
        Refusal{"RowsBelowFixed", 380, [](FlexGrid& g) { g.setRows(0); }},
        Refusal{"FixedColsPastCols", 380, [](FlexGrid& g) { g.setFixedCols(g.Cols() + 1); }},
        Refusal{"TopRowInHeader", 381, [](FlexGrid& g) { g.setTopRow(0); }},
        Refusal{"LeftColPastEnd", 381, [](FlexGrid& g) { g.setLeftCol(g.Cols()); }},
        Refusal{"IconPointer", 380, [](FlexGrid& g) { g.setMousePointer(4); }},
        Refusal{"DragAction", 380, [](FlexGrid& g) { g.Drag(3); }}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(FlexGridTest, ColumnsAreVisibleOnlyWhenWhollyOnShow)
{
    showGrid();
    grid.setLeftCol(7);
    EXPECT_TRUE(grid.ColIsVisible(1)) << "fixed columns stay";
    EXPECT_FALSE(grid.ColIsVisible(6)) << "scrolled away";
    int last = 7;
    while (grid.ColIsVisible(last + 1))
        ++last;
    const int rightEdge = TitlePx + CellPx + (last + 1 - 7) * CellPx;
    EXPECT_LE(rightEdge, grid.viewport()->width());
    EXPECT_GT(rightEdge + CellPx, grid.viewport()->width()) << "the next one is cut off";
    EXPECT_THROW(grid.ColIsVisible(42), Error);
}

TEST_F(FlexGridTest, ResizingKeepsTheCellsThatStillFit)
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

    grid.setCols(60);
    grid.setRows(50);
    EXPECT_EQ(textAt(0, 41), QStringLiteral("last header"));
    EXPECT_EQ(textAt(30, 0), QStringLiteral("last title"));
    EXPECT_EQ(textAt(2, 3), QStringLiteral("inner"));
    EXPECT_EQ(grid.CellPicture().cacheKey(), key.cacheKey());
    EXPECT_EQ(grid.CellPictureAlignment(), 6);
    EXPECT_EQ(grid.CellBackColor(), QColor(Qt::cyan));
    EXPECT_EQ(grid.RowData(2), 210);
    EXPECT_EQ(textAt(49, 59), QString());

    grid.setCols(10);
    grid.setRows(20);
    EXPECT_EQ(grid.Row(), 19) << "the current cell is pulled inside";
    EXPECT_EQ(grid.Col(), 9);
    EXPECT_EQ(textAt(2, 3), QStringLiteral("inner"));
    EXPECT_EQ(grid.CellPicture().cacheKey(), key.cacheKey());
    grid.setCols(42);
    grid.setRows(31);
    EXPECT_EQ(textAt(0, 41), QString()) << "cut cells do not come back";
    EXPECT_EQ(textAt(30, 0), QString());
    EXPECT_EQ(grid.ColWidth(41), pixelsToTwips(CellPx, grid.logicalDpiX()));
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

TEST_F(FlexGridTest, AddItemAppendsARowTitledInColumnZero)
{
    grid.setRowHeight(-1, 300);
    grid.setRow(30);
    grid.setCol(5);
    grid.AddItem(QStringLiteral("   Camera"));
    ASSERT_EQ(grid.Rows(), 32);
    EXPECT_EQ(textAt(31, 0), QStringLiteral("   Camera"));
    EXPECT_EQ(textAt(31, 1), QString());
    EXPECT_EQ(grid.RowHeight(31), 300) << "height for all rows holds for new ones";
    EXPECT_EQ(grid.RowData(31), 0);
}

TEST_F(FlexGridTest, ClearEmptiesCellsButKeepsTheShape)
{
    const QColor header = grid.CellBackColor(); // (1, 1) is a fixed cell
    setCell(5, 5, QStringLiteral("text"));
    const QColor body = grid.CellBackColor();
    EXPECT_NE(header, body);
    QPixmap key(8, 8);
    key.fill(Qt::blue);
    grid.setCellPicture(key);
    grid.setCellBackColor(QColor(0, 228, 228));
    setCell(0, 7, QStringLiteral(":01"));
    grid.setCellBackColor(QColor(255, 128, 128));
    grid.setRowData(5, 510);

    grid.Clear();
    EXPECT_EQ(grid.Rows(), 31);
    EXPECT_EQ(grid.Cols(), 42);
    EXPECT_EQ(grid.ColWidth(0), pixelsToTwips(TitlePx, grid.logicalDpiX()));
    EXPECT_EQ(grid.Text(), QString());
    EXPECT_EQ(grid.CellBackColor(), header);
    grid.setRow(5);
    grid.setCol(5);
    EXPECT_EQ(grid.Text(), QString());
    EXPECT_TRUE(grid.CellPicture().isNull());
    EXPECT_EQ(grid.CellBackColor(), body);
}

TEST_F(FlexGridTest, HeaderRowAndColumnsStayWhileTheBodyScrolls)
{
    showGrid();
    grid.setRow(0);
    grid.setCol(0);
    grid.setCellBackColor(Qt::red);
    grid.setCol(12);
    grid.setCellBackColor(Qt::blue);
    grid.setRow(9);
    grid.setCellBackColor(Qt::yellow);
    grid.setCol(1);
    grid.setCellBackColor(Qt::green);
    grid.setRow(1);
    grid.setCol(2);

    grid.setLeftCol(12);
    grid.setTopRow(9);
    ASSERT_EQ(grid.LeftCol(), 12);
    ASSERT_EQ(grid.TopRow(), 9);
    const QImage shown = viewport()->grab().toImage();
    const QPoint inside(-6, -5);
    EXPECT_EQ(shown.pixelColor(QPoint(TitlePx / 2, RowPx / 2) + inside), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(QPoint(TitlePx + CellPx + CellPx / 2, RowPx / 2) + inside),
              QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(QPoint(TitlePx + CellPx / 2, RowPx + RowPx / 2) + inside),
              QColor(Qt::green));
    EXPECT_EQ(shown.pixelColor(QPoint(TitlePx + CellPx + CellPx / 2, RowPx + RowPx / 2) + inside),
              QColor(Qt::yellow));

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(grid.MouseRow(), 0);
    EXPECT_EQ(grid.MouseCol(), 0);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, centreOf(10, 13));
    EXPECT_EQ(grid.MouseRow(), 10);
    EXPECT_EQ(grid.MouseCol(), 13);
}

TEST_F(FlexGridTest, ClickReportsTheCellUnderTheMouseAndMakesItCurrent)
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
    EXPECT_EQ(grid.MouseRow(), 4);
    EXPECT_EQ(grid.MouseCol(), 7);
    EXPECT_EQ(std::make_tuple(grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()),
              std::make_tuple(4, 7, 4, 7));
    EXPECT_EQ(selections.count(), 1);
    EXPECT_THAT(order, ::testing::ElementsAre(QStringLiteral("down 1 0 at 4,7"),
                                              QStringLiteral("up 1 0"), QStringLiteral("click")));

    // A header cell is reported but does not become current.
    QTest::mouseClick(viewport(), Qt::RightButton, Qt::ControlModifier, centreOf(0, 9));
    EXPECT_EQ(grid.MouseRow(), 0);
    EXPECT_EQ(grid.MouseCol(), 9);
    EXPECT_EQ(grid.Row(), 4);
    EXPECT_EQ(grid.Col(), 7);
    EXPECT_EQ(order.back(), QStringLiteral("up 2 2"));
}

TEST_F(FlexGridTest, DraggingOverCellsSelectsABlock)
{
    showGrid();
    QSignalSpy selections(&grid, &FlexGrid::SelChange);
    QSignalSpy moves(&grid, &FlexGrid::MouseMove);
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(3, 10));
    QTest::mouseMove(viewport(), centreOf(5, 12));
    QTest::mouseMove(viewport(), centreOf(6, 8));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, centreOf(6, 8));
    EXPECT_EQ(std::make_tuple(grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()),
              std::make_tuple(3, 10, 6, 8));
    EXPECT_EQ(selections.count(), 3);
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(0).at(0).toInt(), MouseCode::LeftButton);
    EXPECT_EQ(grid.MouseRow(), 6);
    EXPECT_EQ(grid.MouseCol(), 8);

    // Into the header the block stops at the first scrolled row and column.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(4, 4));
    QTest::mouseMove(viewport(), QPoint(5, 5));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(std::make_tuple(grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()),
              std::make_tuple(4, 4, 1, 2));

    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, centreOf(9, 9));
    EXPECT_EQ(std::make_tuple(grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()),
              std::make_tuple(4, 4, 9, 9));
}

TEST_F(FlexGridTest, MousePointerSetsTheCursorOverTheCells)
{
    grid.setMousePointer(9);
    EXPECT_EQ(grid.MousePointer(), 9);
    EXPECT_TRUE(viewport()->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::SizeHorCursor);
    grid.setMousePointer(0);
    EXPECT_FALSE(viewport()->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
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
    EXPECT_EQ(moves.count(), 0);
    EXPECT_EQ(ups.count(), 0);
    EXPECT_EQ(clicks.count(), 0);

    // A drag released outside the grid drops nothing.
    QTest::mousePress(viewport(), Qt::LeftButton, {}, centreOf(2, 4));
    QTest::mouseMove(viewport(), QPoint(-15, 10));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(-15, 10));
    EXPECT_EQ(drops.count(), 1);
    EXPECT_EQ(over.last().at(2).toInt(), int(FlexGrid::DragLeave));
}
