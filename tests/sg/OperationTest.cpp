// Keyframe operations: the tables the panel reads, amounts along the keys, their effect, and
// their keys copied or moved the way the panel does it: notify the scene of the component at the
// source frame (and of the operation data when Alt is held), then move the frame.
#include "ErrorNumber.h"
#include "OperationScene.h"

#include <functional>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

namespace {

class Operations : public ::testing::Test, protected sg::testing::OperationScene
{
protected:
    int position(const std::shared_ptr<Shape>& shape) const
    {
        const auto shapes = scene->shapeList();
        return int(shapes.indexOf(shape)) + 1;
    }
};

TEST_F(Operations, TablesMarkTheComponentAndItsActiveOperationsTarget)
{
    spin->setLoopMode(outside::LoopClosed);
    EXPECT_EQ(pulse->ObjectLink(), pulse->Code());

    struct Row
    {
        const char* name;
        int link;
        int index;
        QList<int> marked; // positions in Shapes
    };
    const Row rows[] = {
        {"bound", pulse->code(), scale->number(), {position(box), position(pulse)}},
        {"unbound", tint->code(), colour->number(), {position(tint)}},
        {"no operation", idle->code(), 0, {}},
        {"not a component", box->code(), 0, {}},
        {"unknown", 99911, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(scene->OperationIndex(row.link), row.index);
        const auto tables = scene->OperationTables(row.link);
        ASSERT_EQ(tables.operands.size(), scene->Shapes().Count() + 1);
        QList<int> marked;
        for (int i = 0; i < tables.operands.size(); ++i)
            if (tables.operands[i] != 0)
                marked.append(i);
        EXPECT_EQ(marked, row.marked);
        EXPECT_EQ(tables.types, (QList<std::int32_t>{0, 1, 3, 2}));
        EXPECT_EQ(tables.targetKinds,
                  (QList<std::int32_t>{0, ShapeKind::Box, ShapeKind::Sphere, 0}));
        EXPECT_EQ(tables.loopModes, (QList<std::int32_t>{0, 0, 2, 0}));
    }

    scene->setActiveOperation(spin);
    EXPECT_EQ(scene->OperationIndex(pulse->code()), spin->number());
    const auto tables = scene->OperationTables(pulse->code());
    EXPECT_EQ(std::count(tables.operands.cbegin(), tables.operands.cend(), 1), 2);
    EXPECT_EQ(tables.operands[position(sphere)], 1);
    EXPECT_EQ(tables.operands[position(box)], 0);
}

TEST_F(Operations, AreRefusedOnWhatCannotCarryOrTakeThem)
{
    const auto other = Scene::create();
    const auto foreignBox = other->addShape(ShapeKind::Box, QStringLiteral("Elsewhere"));
    const int grow = OperationType::Scale;
    const auto foreign = std::make_shared<Operation>(1, QString(), OperationType::Spin);
    const std::pair<int, std::function<void()>> rows[] = {
        // clang-format off
        {ErrorNumber::InvalidPropertyValue, [&] { scene->addOperation(box, grow, {}, sphere); }},
        {ErrorNumber::InvalidPropertyValue, [&] { scene->addOperation(idle, grow, {}, tint); }},
        {ErrorNumber::InvalidPropertyValue, [&] { scene->addOperation(idle, 9, {}, box); }},
        {ErrorNumber::InvalidProcedureCall, [&] { scene->addOperation(idle, grow, {}, foreignBox); }},
        {ErrorNumber::DuplicateKey, [&] { scene->addOperation(idle, grow, {}, box, 2); }},
        {ErrorNumber::InvalidProcedureCall, [&] { scene->setActiveOperation(foreign); }},
        // clang-format on
    };
    for (const auto& [number, call] : rows)
        EXPECT_EQ(errorNumberOf(call), number);
    EXPECT_EQ(scene->Operations().Count(), 3);
    EXPECT_TRUE(scene->operationsOf(*idle).isEmpty());
}

TEST_F(Operations, AmountsFollowTheKeys)
{
    // Keys 4 -> 1, 10 -> 3 (a corner), 20 -> 2: the span into a corner is a straight line.
    for (const auto& [frame, amount] : {std::pair(0.0f, 1.0f),
                                        {4.0f, 1.0f},
                                        {7.0f, 2.0f},
                                        {10.0f, 3.0f},
                                        {20.0f, 2.0f},
                                        {50.0f, 2.0f}})
        EXPECT_NEAR(scale->amountAt(frame), amount, 1e-5f) << frame;

    // Without the corner the curve heads on towards the key after it.
    scale->setAmount(3);
    scale->SetKeyFrame(false, 10);
    EXPECT_GT(std::abs(scale->amountAt(7) - 2.0f), 0.05f);

    // A closed loop starts over after its last key.
    scale->RemoveKeyFrame(10);
    scale->setLoopMode(outside::LoopClosed);
    EXPECT_NEAR(scale->amountAt(28), scale->amountAt(12), 1e-5f);
    EXPECT_NEAR(scale->amountAt(36), 1.0f, 1e-5f);

    // Without keys, each type's rest.
    for (const auto& operation : {spin, colour})
        EXPECT_EQ(operation->amountAt(7), restAmount(operation->type()));
}

TEST_F(Operations, FollowTheCurrentFrameWhereTheyHaveKeys)
{
    spin->setAmount(45);
    state->setCurrentFrame(7);
    EXPECT_NEAR(scale->amount(), 2.0f, 1e-5f);
    EXPECT_EQ(spin->amount(), 45.0f) << "an operation without keys keeps its amount";

    // A key set at the current frame (-1) holds the present amount.
    scale->setAmount(5);
    scale->SetKeyFrame(false, -1);
    ASSERT_NE(scale->keyTrack().find(7), nullptr);
    EXPECT_EQ(scale->keyTrack().find(7)->payloadHead, 5.0f);
}

TEST_F(Operations, CombineIntoTheEffectOnTheirTarget)
{
    box->setColour(QColor(255, 0, 0));
    const auto stretch = scene->addOperation(idle, OperationType::Stretch, {}, box);
    const auto turn = scene->addOperation(idle, OperationType::Spin, {}, box);
    const auto blush = scene->addOperation(idle, OperationType::Colour, {}, box);
    scale->setAmount(2);
    stretch->setAmount(3);
    turn->setAmount(90);
    blush->setAmount(0.5f);
    blush->setTint(QColor(0, 0, 255));
    colour->setAmount(1); // unbound: acts on nothing

    const ShapeEffect onBox = scene->operationEffect(*box);
    EXPECT_EQ(onBox.scale, QVector3D(2, 6, 2));
    EXPECT_EQ(onBox.spinDegrees, 90.0f);
    EXPECT_NEAR(onBox.colour.redF(), 0.5f, 0.01f);
    EXPECT_NEAR(onBox.colour.blueF(), 0.5f, 0.01f);
    const QVector3D mapped = onBox.localTransform().map(QVector3D(1, 1, 0));
    EXPECT_LT((mapped - QVector3D(0, 6, -2)).length(), 1e-4f);

    spin->setAmount(0);
    const ShapeEffect onSphere = scene->operationEffect(*sphere);
    EXPECT_FALSE(onSphere.changesShape());
    EXPECT_EQ(onSphere.colour, sphere->colour());
}

TEST(OperationKeyCopy, LandsOnTheNextFrameTheStateMovesTo)
{
    const struct
    {
        float source;
        bool move;
        float landedAmount;
        bool sourceKept;
        int keys;
    } rows[] = {{10, false, 3, true, 4}, // a copy of a key
                {10, true, 3, false, 3}, // a move of a key
                {6, false, 7, false, 4}, // a copy of the present amount
                {6, true, 7, false, 4}}; // a move of the present amount removes nothing
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.source << (row.move ? " move" : " copy"));
        sg::testing::OperationScene s;
        s.state->setCurrentFrame(row.source);
        if (!s.scale->keyTrack().find(row.source))
            s.scale->setAmount(7); // edited by hand between keys
        s.scene->ShapeChanged(s.pulse);
        if (row.move)
            s.scene->OperationDataChanged(s.pulse, s.scene->OperationTables(s.pulse->code()));
        EXPECT_EQ(s.scale->keyTrack().count(), 3) << "landed before the frame moved";

        s.state->setCurrentFrame(12);
        const auto* landed = s.scale->keyTrack().find(12);
        ASSERT_NE(landed, nullptr);
        EXPECT_EQ(landed->payloadHead, row.landedAmount);
        EXPECT_EQ(s.scale->amount(), row.landedAmount) << "not posed at the landed key";
        EXPECT_EQ(s.scale->keyTrack().find(row.source) != nullptr, row.sourceKept);
        EXPECT_EQ(s.scale->keyTrack().count(), row.keys);
        s.state->setCurrentFrame(13);
        EXPECT_EQ(s.scale->keyTrack().find(13), nullptr) << "landed twice";
    }
}

TEST_F(Operations, KeyCopiesTakeTheActiveOperationAndLeaveOtherNoticesAlone)
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
