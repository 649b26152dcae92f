#include "TimelineGrid.h"

#include "FlexGrid.h"
#include "PanelHarness.h"
#include "PanelImages.h"
#include "XPButton.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using Keys = QList<outside::KeyRecord>;

outside::KeyRecord key(float frame, bool segmentStart = false)
{
    outside::KeyRecord record;
    record.frame = frame;
    record.setStartsSegment(segmentStart);
    return record;
}

const QColor Tint(0, 228, 228);

TEST(TimelineHeaderTest, LabelsRunInMinutesAndSeconds)
{
    for (auto [frame, perSecond, label] : {std::tuple{0, 24, ":00"},
                                           {24, 24, ":01"},
                                           {1416, 24, ":59"},
                                           {1440, 24, "1:00"},
                                           {1464, 24, "1:01"},
                                           {72000, 10, "120:00"}})
        EXPECT_EQ(animation::timelineHeaderLabel(frame, perSecond), QLatin1String(label));
}

// 40 frames at 10 a second: columns 3 to 43, then the overflow marker.
class TimelineGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.Keys = 40;
        h.settings.KeysPerSecond = 10.0f;
        h.bind();
        h.control->SetupPanel();
        h.control->PrepareTimeLine();
    }

    Nice<MockGroup> animatedGroup(int number, const QString& name, Keys keys, int loopMode = 0)
    {
        auto group = h.addGroup(number);
        ON_CALL(*group, Name()).WillByDefault(Return(name));
        ON_CALL(*group, AnimationData()).WillByDefault(Return(keys));
        ON_CALL(*group, LoopMode()).WillByDefault(Return(loopMode));
        return group;
    }
    common::FlexGrid& grid() { return h.widget<common::FlexGrid>("msgTimeline"); }
    common::FlexGrid& at(int row, int column)
    {
        grid().setRow(row);
        grid().setCol(column);
        return grid();
    }
    QImage pictureAt(int row, int column) { return at(row, column).CellPicture().toImage(); }
    QString textAt(int row, int column) { return at(row, column).Text(); }
    QColor colourAt(int row, int column) { return at(row, column).CellBackColor(); }
    static QImage image(const char* name)
    {
        return animation::panelImage(QLatin1String(name)).pixmap(16).toImage();
    }

    PanelHarness h;
};

TEST_F(TimelineGridTest, ColumnsFollowTheLengthAndTheSliderAndLaterKeysShowAsOverflow)
{
    EXPECT_EQ(grid().Cols(), 3 + 40 + 2);
    EXPECT_EQ(textAt(0, 3 + 10), QStringLiteral(":01"));
    EXPECT_EQ(textAt(0, 3 + 11), QString());

    // The current frame's header follows the slider, and the grid pages along.
    const QColor normal = colourAt(0, 3 + 20);
    h.slider().setValue(20);
    EXPECT_EQ(colourAt(0, 3 + 20), QColor(255, 128, 128));
    h.slider().setValue(21);
    EXPECT_EQ(colourAt(0, 3 + 20), normal);
    EXPECT_EQ(colourAt(0, 3 + 21), QColor(255, 128, 128));
    EXPECT_TRUE(grid().ColIsVisible(3 + 21)) << "the grid pages along with the slider";
    EXPECT_FALSE(grid().ColIsVisible(3 + 1));
    h.slider().setValue(0);
    EXPECT_TRUE(grid().ColIsVisible(3));

    h.settings.Keys = 0;
    h.control->PrepareTimeLine();
    EXPECT_EQ(grid().Cols(), 5) << "three fixed, one frame, the overflow marker";

    h.settings.Keys = 40;
    h.select(animatedGroup(1, QStringLiteral("Late"), {key(60), key(90)}));
    h.control->PrepareTimeLine();
    h.control->TimelineActiveStateChange();
    EXPECT_EQ(textAt(1, grid().Cols() - 1), QStringLiteral("+"));
    EXPECT_EQ(colourAt(1, grid().Cols() - 2), Tint);
    EXPECT_NE(colourAt(1, grid().Cols() - 3), Tint);
}

TEST_F(TimelineGridTest, EachSelectedGroupShowsItsKeysPicturesAndRangeOnce)
{
    auto wheel = animatedGroup(1, QStringLiteral("Wheel"),
                               {key(0), key(2.5f), key(3.5f, false), key(10, true)}, 2);
    h.select(wheel);
    h.select(wheel); // the same group twice gives one row
    h.select(animatedGroup(2, QStringLiteral("Bare"), {}));
    h.control->TimelineActiveStateChange();

    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(std::pair(grid().RowData(1), grid().RowData(2)), std::pair(110, 210));
    EXPECT_EQ(pictureAt(1, 1), image("Group"));
    EXPECT_EQ(pictureAt(1, 2), image("Closed"));
    EXPECT_EQ(pictureAt(2, 2), image("Open"));
    EXPECT_EQ(pictureAt(1, 3), image("KeyFrameSegmentStart"))
        << "the first key always starts the path";
    EXPECT_EQ(pictureAt(1, 6), image("KeyFrame"))
        << "2.5 and 3.5 both round to frame 3 (halves to even)";
    EXPECT_TRUE(pictureAt(1, 5).isNull());
    EXPECT_EQ(pictureAt(1, 13), image("KeyFrameSegmentStart"));
    EXPECT_EQ(colourAt(1, 8), Tint) << "the span between the first and last key";
    EXPECT_NE(colourAt(1, 14), Tint);
    EXPECT_NE(colourAt(2, 3), Tint) << "a row without keys is not tinted";
    grid().setRow(2);
    h.control->DisplayRangeOfEffect(4, 5);
    EXPECT_EQ(colourAt(2, 5), Tint) << "the host tints the current row";
    EXPECT_TRUE(h.widget("cmdSequenceAdd").isEnabled());
}

TEST_F(TimelineGridTest, ARowWhoseKeyTheGridRefusesKeepsTheLaterRowsAndRedrawComesBack)
{
    h.select(animatedGroup(1, QStringLiteral("Refused"), {key(1), key(-10), key(2)}));
    h.select(animatedGroup(2, QStringLiteral("After"), {key(4)}));
    h.control->TimelineActiveStateChange();
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(pictureAt(1, 4), image("KeyFrameSegmentStart"));
    EXPECT_TRUE(pictureAt(1, 5).isNull()) << "the row ends at the refused key";
    EXPECT_EQ(textAt(2, 0), QStringLiteral("After"));
    EXPECT_EQ(pictureAt(2, 7), image("KeyFrameSegmentStart"));
    EXPECT_TRUE(grid().Redraw());
}

TEST_F(TimelineGridTest, NothingSelectedLeavesOneEmptyRowAndACameraForbidsSequences)
{
    h.control->TimelineActiveStateChange();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_FALSE(h.widget("cmdSequenceAdd").isEnabled());

    auto rig = animatedGroup(7, QStringLiteral("Rig"), {key(0)});
    auto camera = nice<MockCamera>();
    ON_CALL(*camera, Name()).WillByDefault(Return(QStringLiteral("Animation Camera")));
    ON_CALL(*camera, ID()).WillByDefault(Return(1));
    ON_CALL(*camera, AnimationData()).WillByDefault(Return(Keys{key(5)}));
    h.cameras.Add(camera);
    auto lamp = nice<MockLight>();
    ON_CALL(*lamp, Name()).WillByDefault(Return(QStringLiteral("Lamp")));
    ON_CALL(*lamp, Code()).WillByDefault(Return(261));
    ON_CALL(*lamp, LoopMode()).WillByDefault(Return(2));
    ON_CALL(*lamp, AnimationData()).WillByDefault(Return(Keys{key(2), key(6, true)}));
    h.lights.Add(lamp, QStringLiteral("261"));
    h.select(rig);
    h.select(rig, 80);
    h.select(rig, 60, 261);
    h.control->TimelineActiveStateChange();
    EXPECT_FALSE(h.widget("cmdSequenceAdd").isEnabled());
    ASSERT_EQ(grid().Rows(), 4) << "the group, then its camera and light in selection order";
    EXPECT_EQ(grid().RowData(2), 180);
    EXPECT_EQ(textAt(2, 0), QStringLiteral("   Animation Camera"));
    EXPECT_EQ(pictureAt(2, 1), image("Camera"));
    EXPECT_EQ(pictureAt(2, 8), image("KeyFrameSegmentStart"));
    EXPECT_EQ(grid().RowData(3), 261);
    EXPECT_EQ(textAt(3, 0), QStringLiteral("   Lamp"));
    EXPECT_EQ(pictureAt(3, 1), image("Light"));
    EXPECT_EQ(pictureAt(3, 2), image("Closed"));
    EXPECT_EQ(pictureAt(3, 3 + 6), image("KeyFrameSegmentStart"));
}

TEST_F(TimelineGridTest, OperationComponentsAddARowPerOperationAndSequencesAreListedOnce)
{
    auto rig = animatedGroup(4, QStringLiteral("Rig"), {key(0)});
    auto body = nice<MockShape>();
    auto modifier = nice<MockShape>();
    ON_CALL(*body, Kind()).WillByDefault(Return(20));
    ON_CALL(*modifier, Kind()).WillByDefault(Return(11));
    ON_CALL(*modifier, ObjectLink()).WillByDefault(Return(911));
    ON_CALL(*rig, Shapes()).WillByDefault(Return(QList<outside::ShapePtr>{body, modifier}));
    ON_CALL(*h.commands, ShapeOperations(_, _)).WillByDefault([&](auto&, auto& shape) {
        return shape == modifier ? QList<std::int32_t>{3, 5} : QList<std::int32_t>{};
    });
    ON_CALL(*h.commands, OperationName(_, 3)).WillByDefault(Return(QStringLiteral("Pulse")));
    ON_CALL(*h.commands, OperationName(_, 5)).WillByDefault(Return(QStringLiteral("Glow")));
    ON_CALL(*h.commands, OperationLoopMode(_, 5)).WillByDefault(Return(2));
    ON_CALL(*h.commands, OperationKeys(_, 5)).WillByDefault(Return(Keys{key(4), key(8)}));
    outside::OperationTableSet tables;
    tables.types = {0, 0, 0, 1, 0, 2};
    ON_CALL(*h.scene, OperationTables(911)).WillByDefault(Return(tables));
    QImage glow(16, 16, QImage::Format_ARGB32);
    glow.fill(Qt::magenta);
    ON_CALL(*h.applier, OperationPicture(2)).WillByDefault(Return(glow));
    ON_CALL(*h.commands, GroupSequenceNames(_, 410))
        .WillByDefault(Return(QStringList{QStringLiteral("Walk"), QStringLiteral("Run")}));
    ON_CALL(*h.commands, OperationSequenceNames(_, 5))
        .WillByDefault(Return(QStringList{QStringLiteral("Run"), QStringLiteral("run")}));
    h.select(rig);

    h.control->TimelineActiveStateChange();
    ASSERT_EQ(grid().Rows(), 4) << "the group, then one row for each operation";
    EXPECT_EQ(std::pair(grid().RowData(2), grid().RowData(3)), std::pair(311, 511));
    EXPECT_EQ(textAt(3, 0), QStringLiteral("   Glow")) << "one level below the group";
    EXPECT_EQ(pictureAt(3, 1), glow.convertToFormat(pictureAt(3, 1).format()));
    EXPECT_EQ(pictureAt(3, 2), image("Closed"));
    EXPECT_EQ(pictureAt(3, 3 + 4), image("KeyFrameSegmentStart"));
    EXPECT_EQ(pictureAt(3, 3 + 8), image("KeyFrame"));
    EXPECT_EQ(colourAt(3, 3 + 6), Tint);
    auto& sequences = h.widget<QComboBox>("cboSequence");
    EXPECT_EQ(sequences.count(), 0) << "names are listed only with the timeline shown";

    h.widget<common::XPButton>("chkAnimationTimeline").setValue(true);
    h.control->ReloadTimelineKeyFrames();
    QStringList names;
    for (int i = 0; i < sequences.count(); ++i)
        names << sequences.itemText(i);
    EXPECT_EQ(names,
              QStringList({QStringLiteral("Walk"), QStringLiteral("Run"), QStringLiteral("run")}));
    EXPECT_TRUE(sequences.currentText().isEmpty()) << "no name is chosen yet";
}

} // namespace
} // namespace vellum::testing
