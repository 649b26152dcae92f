// Copying and moving an operation's key the way the panel does it: notify the scene of the
// component at the source frame (and of the operation data when Alt is held), then move.
#include "OperationScene.h"

#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

struct CopyRow
{
    const char* name;
    float source;
    bool move;
    float landedAmount;
    bool sourceKept;
    int keys;
};

class OperationKeyCopy : public ::testing::TestWithParam<CopyRow>,
                         protected sg::testing::OperationScene
{};

TEST_P(OperationKeyCopy, LandsOnTheNextFrameTheStateMovesTo)
{
    const CopyRow& row = GetParam();
    state->setCurrentFrame(row.source);
    if (!scale->keyTrack().find(row.source))
        scale->setAmount(7); // edited by hand between keys
    scene->ShapeChanged(pulse);
    if (row.move)
        scene->OperationDataChanged(pulse, scene->OperationTables(pulse->code()));
    EXPECT_EQ(scale->keyTrack().count(), 3) << "landed before the frame moved";

    state->setCurrentFrame(12);
    const auto* landed = scale->keyTrack().find(12);
    ASSERT_NE(landed, nullptr);
    EXPECT_EQ(landed->payloadHead, row.landedAmount);
    EXPECT_EQ(scale->amount(), row.landedAmount) << "not posed at the landed key";
    EXPECT_EQ(scale->keyTrack().find(row.source) != nullptr, row.sourceKept);
    EXPECT_EQ(scale->keyTrack().count(), row.keys);

    state->setCurrentFrame(13);
    EXPECT_EQ(scale->keyTrack().find(13), nullptr) << "landed twice";
}

INSTANTIATE_TEST_SUITE_P(Rows, OperationKeyCopy,
                         ::testing::Values(CopyRow{"CopyOfAKey", 10, false, 3, true, 4},
                                           CopyRow{"MoveOfAKey", 10, true, 3, false, 3},
                                           CopyRow{"CopyOfThePresentAmount", 6, false, 7, false, 4},
                                           CopyRow{"MoveOfThePresentAmountRemovesNothing", 6, true,
                                                   7, false, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

class OperationKeyCopies : public ::testing::Test, protected sg::testing::OperationScene
{};

TEST_F(OperationKeyCopies, TakeTheActiveOperationAndLeaveOtherNoticesAlone)
{
    scene->setActiveOperation(spin);
    spin->setAmount(30);
    spin->SetKeyFrame(true, 0);
    scene->ShapeChanged(pulse);
    state->setCurrentFrame(1);
    ASSERT_NE(spin->keyTrack().find(1), nullptr);
    EXPECT_EQ(scale->keyTrack().count(), 3);

    // Nothing is queued by a plain shape, a component without operations, the notice after a
    // backup or restore, or any notice outside animation mode.
    scene->ShapeChanged(box);
    scene->ShapeChanged(idle);
    pulse->setAnimationBackup(graph.NewShape());
    scene->ShapeChanged(pulse);
    state->setCurrentFrame(2);
    state->setMode(outside::ModeAnimationOff);
    scene->ShapeChanged(pulse);
    state->setCurrentFrame(4);
    state->setMode(outside::ModeAnimation);
    EXPECT_EQ(spin->keyTrack().count(), 2);

    // Alt on another component does not turn a group's copy into a move.
    group->SetKeyFrame(false, 4);
    scene->GroupChanged(group);
    scene->OperationDataChanged(pulse, {});
    state->setCurrentFrame(5);
    EXPECT_NE(group->keyTrack().find(4), nullptr);
    EXPECT_NE(group->keyTrack().find(5), nullptr);
}

} // namespace
