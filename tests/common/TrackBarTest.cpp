#include "TrackBar.h"

#include "ErrorNumber.h"
#include "MouseCodes.h"
#include "TrackBarGeometry.h"
#include "Widgets.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gmock/gmock.h>

using namespace vellum;
using namespace vellum::common;

namespace {

// 600 px for frames 0..200, the layout the panel uses at its widest.
class TrackBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bar.setObjectName(QStringLiteral("sldFrame"));
        bar.resize(600, 23);
        bar.setMax(200);
        bar.setTickFrequency(10);
        bar.setValue(60);
    }
    QPoint pointAt(int frame) const { return vellum::testing::pointOfFrame(bar, frame); }
    void expectRefused(const std::function<void()>& change)
    {
        const auto before = std::make_tuple(bar.Min(), bar.Max(), bar.Value(), bar.SelStart(),
                                            bar.SelLength(), bar.TickFrequency());
        QSignalSpy changes(&bar, &TrackBar::Change);
        EXPECT_EQ(vellum::testing::errorNumberOf(change), ErrorNumber::InvalidPropertyValue);
        EXPECT_EQ(before, std::make_tuple(bar.Min(), bar.Max(), bar.Value(), bar.SelStart(),
                                          bar.SelLength(), bar.TickFrequency()));
        EXPECT_EQ(changes.count(), 0);
    }

    TrackBar bar;
};

} // namespace

TEST_F(TrackBarTest, RefusesWhatItCannotTakeAndKeepsItsState)
{
    bar.setSelStart(40);
    bar.setSelLength(50);
    for (const auto& refused : std::initializer_list<std::function<void()>>{
             [this] { bar.setValue(201); }, [this] { bar.setValue(-1); },
             [this] { bar.setSelLength(-1); }, [this] { bar.setSelStart(201); },
             [this] { bar.setSelStart(-1); }, [this] { bar.setTickFrequency(-1); },
             [this] { bar.setMax(-1); }, [this] { bar.setMin(201); }})
        expectRefused(refused);

    // A selection may reach past Max while its start moves: the panel's shift-drag order.
    bar.setSelLength(160);
    bar.setSelStart(150);
    bar.setSelLength(0);
    EXPECT_EQ(std::tuple(bar.SelStart(), bar.SelLength()), std::tuple(150, 0));
}

TEST_F(TrackBarTest, ChangeComesOncePerRealChange)
{
    QSignalSpy changes(&bar, &TrackBar::Change);
    bar.setValue(60);
    EXPECT_EQ(changes.count(), 0);
    bar.setValue(61);
    EXPECT_EQ(changes.count(), 1);
    bar.setMin(0); // range unchanged in effect
    bar.setMax(100);
    EXPECT_EQ(changes.count(), 1);
    bar.setMax(50); // value clamped into the new range
    EXPECT_EQ(std::tuple(bar.Value(), changes.count()), std::tuple(50, 2));
    bar.setMin(50);
    bar.setMax(50);
    EXPECT_EQ(changes.count(), 2);
}

// A press moves to the frame under the mouse and a drag follows.
TEST_F(TrackBarTest, MouseDownThenChangesThenMouseUpAndOnlyTheLeftButtonMoves)
{
    const struct
    {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        int buttonCode, shiftCode;
    } rows[] = {{Qt::LeftButton, Qt::NoModifier, 1, 0},
                {Qt::LeftButton, Qt::ShiftModifier, 1, 1},
                {Qt::LeftButton, Qt::AltModifier, 1, 4},
                {Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, 1, 3},
                {Qt::RightButton, Qt::NoModifier, 2, 0},
                {Qt::MiddleButton, Qt::NoModifier, 4, 0}};
    // The events in order, each with the value the bar holds when it comes.
    QStringList events;
    QObject::connect(&bar, &TrackBar::MouseDown, [&](int b, int s, float, float) {
        events << QStringLiteral("down %1 %2 at %3").arg(b).arg(s).arg(bar.Value());
    });
    QObject::connect(&bar, &TrackBar::Change,
                     [&] { events << QStringLiteral("change %1").arg(bar.Value()); });
    QObject::connect(&bar, &TrackBar::MouseUp, [&](int b, int s, float, float) {
        events << QStringLiteral("up %1 %2").arg(b).arg(s);
    });
    for (const auto& row : rows) {
        bar.setValue(60);
        events.clear();
        QTest::mousePress(&bar, row.button, row.modifiers, pointAt(90));
        QTest::mouseMove(&bar, pointAt(120));
        QTest::mouseRelease(&bar, row.button, row.modifiers, pointAt(120));
        const QString down =
            QStringLiteral("down %1 %2 at 60").arg(row.buttonCode).arg(row.shiftCode);
        const QString up = QStringLiteral("up %1 %2").arg(row.buttonCode).arg(row.shiftCode);
        EXPECT_EQ(events, row.button == Qt::LeftButton
                              ? QStringList({down, QStringLiteral("change 90"),
                                             QStringLiteral("change 120"), up})
                              : QStringList({down, up}));
    }

    // Past the left end the bar stops at Min, the release moves it too, and without a button
    // nothing moves.
    bar.setValue(60);
    events.clear();
    QTest::mousePress(&bar, Qt::LeftButton, {}, pointAt(140));
    QTest::mouseMove(&bar, QPoint(-50, 10));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, pointAt(200));
    QTest::mouseMove(&bar, pointAt(10));
    EXPECT_EQ(events, QStringList({QStringLiteral("down 1 0 at 60"), QStringLiteral("change 140"),
                                   QStringLiteral("change 0"), QStringLiteral("change 200"),
                                   QStringLiteral("up 1 0")}));
}

TEST_F(TrackBarTest, KeysStepAndStopAtTheEnds)
{
    bar.setLargeChange(25);
    const struct
    {
        Qt::Key key;
        int expected;
    } steps[] = {{Qt::Key_Right, 61},    {Qt::Key_Left, 60}, {Qt::Key_PageUp, 85},
                 {Qt::Key_PageDown, 60}, {Qt::Key_End, 200}, {Qt::Key_Right, 200},
                 {Qt::Key_PageUp, 200},  {Qt::Key_Home, 0},  {Qt::Key_Left, 0}};
    QSignalSpy changes(&bar, &TrackBar::Change);
    int expectedChanges = 0;
    int previous = bar.Value();
    for (const auto& step : steps) {
        QTest::keyClick(&bar, step.key);
        EXPECT_EQ(bar.Value(), step.expected) << QTest::toString(step.key);
        expectedChanges += step.expected != previous;
        previous = step.expected;
    }
    EXPECT_EQ(changes.count(), expectedChanges);
}

TEST(TrackBarGeometry, FramesAndPixelsRoundTripAndTicksAreThinned)
{
    const TrackBarGeometry g(QSize(600, 23), 0, 200);
    for (int frame : {0, 1, 60, 199, 200})
        EXPECT_EQ(g.valueAt(g.xOf(frame)), frame);
    EXPECT_LT(g.xOf(0), g.xOf(1));
    EXPECT_EQ(std::tuple(g.valueAt(-100), g.valueAt(10000),
                         TrackBarGeometry(QSize(600, 23), 5, 5).valueAt(300)),
              std::tuple(0, 200, 5));

    // Ticks are thinned but keep the ends.
    const TrackBarGeometry dense(QSize(3000, 23), 0, 10000);
    const QList<double> xs = dense.tickPositions(1, 0, 3000);
    ASSERT_GE(xs.size(), 2);
    EXPECT_LT(xs.size(), 1001);
    EXPECT_EQ(std::tuple(xs.front(), xs.back()), std::tuple(dense.xOf(0), dense.xOf(10000)));
    for (qsizetype i = 1; i < xs.size(); ++i)
        EXPECT_GE(xs[i] - xs[i - 1], TrackBarGeometry::MinTickSpacing) << i;

    // Only what the paint area shows.
    EXPECT_EQ(std::tuple(g.tickPositions(10, 0, 600).size(), g.tickPositions(10, 290, 310).size(),
                         g.tickPositions(0, 0, 600).size()),
              std::tuple(21, 1, 0));
}
