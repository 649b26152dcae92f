// Painting a grid shaped like the animation timeline, and the cell work a rebuild does.
#include "FlexGrid.h"
#include "Twips.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>

using vellum::common::FlexGrid;
using vellum::common::pixelsToTwips;

namespace {

constexpr int FixedCols = 3;
constexpr int TimelineRows = 21;
constexpr int CellWidthPx = 20;
constexpr int RowHeightPx = 17;
constexpr int TitleWidthTwips = 1500;
constexpr int KeysPerSecond = 24;
const QSize PaintSize(1200, 400);

QPixmap keyPicture(const QColor& fill)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath diamond;
    diamond.moveTo(8, 2);
    diamond.lineTo(14, 8);
    diamond.lineTo(8, 14);
    diamond.lineTo(2, 8);
    diamond.closeSubpath();
    painter.setPen(QPen(fill.darker(180), 1));
    painter.setBrush(fill);
    painter.drawPath(diamond);
    return picture;
}

// Header labels over every second, a title per row and a key picture in every tenth frame.
void buildTimeline(FlexGrid& grid, int frames)
{
    const double dpi = grid.logicalDpiX();
    const QPixmap key = keyPicture(QColor(250, 200, 40));
    grid.setRedraw(false);
    grid.setFixedCols(0);
    grid.setFixedRows(0);
    grid.setCols(FixedCols + frames + 2);
    grid.setRows(TimelineRows);
    grid.setFixedCols(FixedCols);
    grid.setFixedRows(1);
    grid.setColWidth(-1, pixelsToTwips(CellWidthPx, dpi));
    grid.setRowHeight(-1, pixelsToTwips(RowHeightPx, dpi));
    grid.setColWidth(0, TitleWidthTwips);
    grid.setColAlignment(-1, 7);
    grid.setColAlignment(0, 1);
    grid.setRow(0);
    for (int frame = 0; frame <= frames; frame += KeysPerSecond) {
        grid.setCol(FixedCols + frame);
        const int seconds = frame / KeysPerSecond;
        grid.setText(QStringLiteral("%1:%2")
                         .arg(seconds >= 60 ? QString::number(seconds / 60) : QString())
                         .arg(seconds % 60, 2, 10, QLatin1Char('0')));
    }
    for (int row = 1; row < TimelineRows; ++row) {
        grid.setRow(row);
        grid.setCol(0);
        grid.setText(QStringLiteral("Group %1").arg(row));
        for (int col = FixedCols; col < grid.Cols() - 1; col += 10) {
            grid.setCol(col);
            grid.setCellPicture(key);
            grid.setCellPictureAlignment(0);
        }
    }
    grid.setRow(1);
    grid.setCol(FixedCols);
    grid.setRedraw(true);
}

void BM_TimelinePaint(benchmark::State& state)
{
    FlexGrid grid;
    grid.resize(PaintSize);
    buildTimeline(grid, int(state.range(0)));
    grid.show();
    grid.setLeftCol(FixedCols + int(state.range(0)) / 2);
    QCoreApplication::processEvents(); // scroll bars settle through queued calls
    QImage image(PaintSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TimelinePaint)->Arg(50)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_GridSetCurrentCellColour(benchmark::State& state)
{
    FlexGrid grid;
    grid.resize(PaintSize);
    buildTimeline(grid, 10000);
    grid.setRedraw(false);
    grid.setRow(3);
    const int span = grid.Cols() - 1 - FixedCols;
    const QColor tint(0, 228, 228);
    int col = 0;
    for (auto _ : state) {
        grid.setCol(FixedCols + col);
        grid.setCellBackColor(tint);
        col = (col + 1) % span;
    }
}
BENCHMARK(BM_GridSetCurrentCellColour);

} // namespace
