#include "TrackBar.h"

#include "ErrorNumber.h"
#include "MouseCodes.h"
#include "TrackBarGeometry.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gmock/gmock.h>

using namespace vellum;
using namespace vellum::common;
using ::testing::InSequence;
using ::testing::StrictMock;

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
    QPoint pointAt(int frame) const
    {
        const TrackBarGeometry g(bar.size(), bar.Min(), bar.Max());
        return QPoint(qRound(g.xOf(frame)), bar.height() / 2);
    }
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

struct MouseEvents
{
    StrictMock<::testing::MockFunction<void(int button, int shift)>> down;
    StrictMock<::testing::MockFunction<void(int value)>> change;
    StrictMock<::testing::MockFunction<void(int button, int shift)>> up;

    explicit MouseEvents(TrackBar& bar)
    {
        QObject::connect(&bar, &TrackBar::MouseDown,
                         [this](int b, int s, float, float) { down.Call(b, s); });
        QObject::connect(&bar, &TrackBar::Change, [this, &bar] { change.Call(bar.Value()); });
        QObject::connect(&bar, &TrackBar::MouseUp,
                         [this](int b, int s, float, float) { up.Call(b, s); });
    }
};

} // namespace

TEST_F(TrackBarTest, RefusesWhatItCannotTakeAndKeepsItsState)
{
    bar.setSelStart(40);
    bar.setSelLength(50);
    expectRefused([this] { bar.setValue(201); });
    expectRefused([this] { bar.setValue(-1); });
    expectRefused([this] { bar.setSelLength(-1); });
    expectRefused([this] { bar.setSelStart(201); });
    expectRefused([this] { bar.setSelStart(-1); });
    expectRefused([this] { bar.setTickFrequency(-1); });
    expectRefused([this] { bar.setMax(-1); });
    expectRefused([this] { bar.setMin(201); });

    // A selection may reach past Max while its start moves: the panel's shift-drag order.
    bar.setSelLength(160);
    bar.setSelStart(150);
    EXPECT_EQ(bar.SelStart(), 150);
    bar.setSelLength(0);
    EXPECT_EQ(bar.SelLength(), 0);
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
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(changes.count(), 2);
    bar.setMin(50);
    bar.setMax(50);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(TrackBarTest, PressMovesToTheFrameUnderTheMouseAndDragFollows)
{
    QSignalSpy changes(&bar, &TrackBar::Change);
    QTest::mousePress(&bar, Qt::LeftButton, {}, pointAt(140));
    EXPECT_EQ(bar.Value(), 140);
    QTest::mouseMove(&bar, pointAt(30));
    EXPECT_EQ(bar.Value(), 30);
    QTest::mouseMove(&bar, QPoint(-50, 10)); // past the left end
    EXPECT_EQ(bar.Value(), 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, pointAt(200));
    EXPECT_EQ(bar.Value(), 200);
    EXPECT_EQ(changes.count(), 4);

    QTest::mouseMove(&bar, pointAt(10)); // no button held
    EXPECT_EQ(bar.Value(), 200);
}

struct MouseRow
{
    const char* name;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    int buttonCode;
    int shiftCode;
    bool moves;
};

void PrintTo(const MouseRow& row, std::ostream* out)
{
    *out << row.name;
}

class TrackBarMouseOrder : public TrackBarTest, public ::testing::WithParamInterface<MouseRow>
{};

TEST_P(TrackBarMouseOrder, MouseDownThenChangesThenMouseUp)
{
    const MouseRow row = GetParam();
    MouseEvents events(bar);
    {
        InSequence order;
        EXPECT_CALL(events.down, Call(row.buttonCode, row.shiftCode)).WillOnce([this] {
            EXPECT_EQ(bar.Value(), 60) << "MouseDown after the move";
        });
        if (row.moves) {
            EXPECT_CALL(events.change, Call(90));
            EXPECT_CALL(events.change, Call(120));
        }
        EXPECT_CALL(events.up, Call(row.buttonCode, row.shiftCode));
    }
    QTest::mousePress(&bar, row.button, row.modifiers, pointAt(90));
    QTest::mouseMove(&bar, pointAt(120));
    QTest::mouseRelease(&bar, row.button, row.modifiers, pointAt(120));
    EXPECT_EQ(bar.Value(), row.moves ? 120 : 60);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, TrackBarMouseOrder,
    ::testing::Values(MouseRow{"Left", Qt::LeftButton, Qt::NoModifier, 1, 0, true},
                      MouseRow{"ShiftLeft", Qt::LeftButton, Qt::ShiftModifier, 1, 1, true},
                      MouseRow{"AltLeft", Qt::LeftButton, Qt::AltModifier, 1, 4, true},
                      MouseRow{"CtrlShiftLeft", Qt::LeftButton,
                               Qt::ControlModifier | Qt::ShiftModifier, 1, 3, true},
                      MouseRow{"Right", Qt::RightButton, Qt::NoModifier, 2, 0, false},
                      MouseRow{"Middle", Qt::MiddleButton, Qt::NoModifier, 4, 0, false}),
    [](const ::testing::TestParamInfo<MouseRow>& info) { return std::string(info.param.name); });

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

TEST(TrackBarGeometry, FramesAndPixelsRoundTrip)
{
    const TrackBarGeometry g(QSize(600, 23), 0, 200);
    for (int frame : {0, 1, 60, 199, 200})
        EXPECT_EQ(g.valueAt(g.xOf(frame)), frame);
    EXPECT_LT(g.xOf(0), g.xOf(1));
    EXPECT_EQ(g.valueAt(-100), 0);
    EXPECT_EQ(g.valueAt(10000), 200);
    EXPECT_EQ(TrackBarGeometry(QSize(600, 23), 5, 5).valueAt(300), 5);
}

TEST(TrackBarGeometry, TicksAreThinnedButKeepTheEnds)
{
    const TrackBarGeometry g(QSize(3000, 23), 0, 10000);
    const QList<double> xs = g.tickPositions(1, 0, 3000);
    ASSERT_GE(xs.size(), 2);
    EXPECT_LT(xs.size(), 1001);
    EXPECT_DOUBLE_EQ(xs.front(), g.xOf(0));
    EXPECT_DOUBLE_EQ(xs.back(), g.xOf(10000));
    for (qsizetype i = 1; i < xs.size(); ++i)
        EXPECT_GE(xs[i] - xs[i - 1], TrackBarGeometry::MinTickSpacing) << i;

    const TrackBarGeometry wide(QSize(600, 23), 0, 200);
    EXPECT_EQ(wide.tickPositions(10, 0, 600).size(), 21);
    EXPECT_EQ(wide.tickPositions(10, 290, 310).size(), 1); // only what the paint area shows
    EXPECT_TRUE(wide.tickPositions(0, 0, 600).isEmpty());
}
