// Keyframe operations: the tables the panel reads, amounts along the keys, their effect, and
// their keys copied or moved the way the panel does it: notify the scene of the component at the
// source frame (and of the operation data when Alt is held), then move the frame. The animation
// commands: operation queries, key blocks edited, and the named sequences of groups and
// operations.
#include "ErrorNumber.h"

#include <functional>
#include <gtest/gtest.h>
#include <outside/AnimationCommands.h>
#include <sg/OperationType.h>
#include <sg/SceneGraph.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

namespace {

// A scene with operation components: a box and a sphere in a group; component "Pulse" carries a
// scale of the box (keys 4, 10 segment start, 20) and a spin of the sphere; "Tint" carries an
// unbound colour; "Idle" carries nothing.
struct OperationScene
{
    OperationScene()
    {
        state->setMode(outside::ModeAnimation);
        key(*scale, 4.0f, 1.0f, false);
        key(*scale, 10.0f, 3.0f, true);
        key(*scale, 20.0f, 2.0f, false);
    }

    static void key(Operation& operation, float frame, float amount, bool segmentStart)
    {
        operation.setAmount(amount);
        operation.SetKeyFrame(segmentStart, frame);
    }

    SceneGraph graph;
    std::shared_ptr<ApplicationState> state = graph.applicationState();
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("Rig"));
    std::shared_ptr<Shape> box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    std::shared_ptr<Shape> sphere =
        scene->addShape(ShapeKind::Sphere, QStringLiteral("Ball"), group);
    std::shared_ptr<Shape> pulse = scene->addOperationComponent(QStringLiteral("Pulse"), group);
    std::shared_ptr<Shape> tint = scene->addOperationComponent(QStringLiteral("Tint"));
    std::shared_ptr<Shape> idle = scene->addOperationComponent(QStringLiteral("Idle"));
    std::shared_ptr<Operation> scale =
        scene->addOperation(pulse, OperationType::Scale, QStringLiteral("Grow"), box);
    std::shared_ptr<Operation> spin =
        scene->addOperation(pulse, OperationType::Spin, QStringLiteral("Turn"), sphere);
    std::shared_ptr<Operation> colour =
        scene->addOperation(tint, OperationType::Colour, QStringLiteral("Blush"));
};

class Operations : public ::testing::Test, protected OperationScene
{
protected:
    int position(const std::shared_ptr<Shape>& shape) const
    {
        const auto shapes = scene->shapeList();
        return int(shapes.indexOf(shape)) + 1;
    }

    static QList<float> frames(outside::Keyframed& keyed)
    {
        QList<float> result;
        for (const auto& key : keyed.AnimationData())
            result.append(key.frame);
        return result;
    }

    // Keys at the frames, each holding its frame as its first value; the loop open.
    static void setKeys(outside::Keyframed& keyed, const QList<float>& keyFrames)
    {
        keyed.setLoopMode(outside::LoopOpen);
        for (float frame : frames(keyed))
            keyed.RemoveKeyFrame(frame);
        for (float frame : keyFrames) {
            outside::KeyRecord key;
            key.frame = frame;
            key.payloadHead = frame;
            keyed.AddKeyFrame(key);
        }
    }

    std::shared_ptr<outside::AnimationCommands> commands = graph.CreateAnimationCommands();
    outside::ScenePtr in = scene;
};

TEST_F(Operations, TablesMarkTheComponentAndItsActiveOperationsTarget)
{
    spin->setLoopMode(outside::LoopClosed);
    EXPECT_EQ(pulse->ObjectLink(), pulse->Code());

    // A link: the operation it finds, and the shapes marked (positions in Shapes).
    const std::tuple<const char*, int, int, QList<int>> rows[] = {
        {"bound", pulse->code(), scale->number(), {position(box), position(pulse)}},
        {"unbound", tint->code(), colour->number(), {position(tint)}},
        {"no operation", idle->code(), 0, {}},
        {"not a component", box->code(), 0, {}},
        {"unknown", 99911, 0, {}},
    };
    for (const auto& [name, link, index, shapes] : rows) {
        SCOPED_TRACE(name);
        const auto tables = scene->OperationTables(link);
        ASSERT_EQ(tables.operands.size(), scene->Shapes().Count() + 1);
        QList<int> marked;
        for (int i = 0; i < tables.operands.size(); ++i)
            if (tables.operands[i] != 0)
                marked.append(i);
        EXPECT_EQ(std::tuple(scene->OperationIndex(link), marked), std::tuple(index, shapes));
        EXPECT_EQ(std::tuple(tables.types, tables.targetKinds, tables.loopModes),
                  std::tuple(QList<std::int32_t>{0, 1, 3, 2},
                             QList<std::int32_t>{0, ShapeKind::Box, ShapeKind::Sphere, 0},
                             QList<std::int32_t>{0, 0, 2, 0}));
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

TEST_F(Operations, AmountsFollowTheKeysAndTheCurrentFrame)
{
    // Keys 4 -> 1, 10 -> 3 (a corner), 20 -> 2: the span into a corner is a straight line.
    using P = std::pair<float, float>;
    for (const auto& [frame, amount] : {P{0, 1}, P{4, 1}, P{7, 2}, P{10, 3}, P{20, 2}, P{50, 2}})
        EXPECT_NEAR(scale->amountAt(frame), amount, 1e-5f) << frame;
    // They follow the current frame where they have keys.
    spin->setAmount(45);
    state->setCurrentFrame(7);
    EXPECT_NEAR(scale->amount(), 2.0f, 1e-5f);
    EXPECT_EQ(spin->amount(), 45.0f) << "an operation without keys keeps its amount";

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
        OperationScene s;
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
        // Landed, posed at the landed key, the source kept or not.
        EXPECT_EQ(std::tuple(landed->payloadHead, s.scale->amount(),
                             s.scale->keyTrack().find(row.source) != nullptr,
                             s.scale->keyTrack().count()),
                  std::tuple(row.landedAmount, row.landedAmount, row.sourceKept, row.keys));
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

TEST_F(Operations, CommandsAnswerAboutOperationsAndTheirKeys)
{
    EXPECT_EQ(commands->ShapeOperations(in, pulse), (QList<std::int32_t>{1, 2}));
    EXPECT_TRUE(commands->ShapeOperations(in, idle).isEmpty());
    EXPECT_TRUE(commands->ShapeOperations(in, box).isEmpty());
    EXPECT_EQ(commands->OperationName(in, 2), QStringLiteral("Turn"));
    EXPECT_EQ(commands->OperationKeys(in, 1).size(), 3);

    commands->SetOperationLoopMode(in, 1, outside::LoopClosed);
    EXPECT_EQ(commands->OperationLoopMode(in, 1), outside::LoopClosed);
    EXPECT_EQ(scale->LoopMode(), outside::LoopClosed);

    // A frame: whether a key is there, whether it starts a segment, and the keys before it.
    using Row = std::tuple<float, bool, bool, int>;
    for (const auto& [frame, isKey, segmentStart, before] :
         {Row{0, false, false, 0}, Row{4, true, false, 0}, Row{10, true, true, 1},
          Row{10.5f, false, false, 2}, Row{20, true, false, 2}, Row{99, false, false, 3}}) {
        bool key = !isKey, starts = !segmentStart;
        commands->OperationKeyAtFrame(in, 1, frame, key, starts);
        EXPECT_EQ(Row(frame, key, starts, commands->OperationKeysBefore(in, 1, frame)),
                  Row(frame, isKey, segmentStart, before));
    }

    std::int32_t count = -1, none = -1;
    float first = -1, noFirst = -1;
    commands->OperationFirstKey(in, 1, count, first);
    commands->OperationFirstKey(in, 2, none, noFirst);
    EXPECT_EQ(std::tuple(count, first, none, noFirst), std::tuple(3, 4.0f, 0, 0.0f));
}

TEST_F(Operations, CommandsRefuseUnknownOperationsScenesAndItemKinds)
{
    const int invalidCall = ErrorNumber::InvalidProcedureCall;
    const QString s = QStringLiteral("s");
    const std::tuple<const char*, int, std::function<void()>> rows[] = {
        // clang-format off
        {"name", invalidCall, [&] { commands->OperationName(in, 9); }},
        {"keys", invalidCall, [&] { commands->OperationKeys(in, 0); }},
        {"loop mode", ErrorNumber::InvalidPropertyValue, [&] { commands->SetOperationLoopMode(in, 1, 1); }},
        {"sequences of a light", invalidCall, [&] { commands->AddSequence(in, s, 60, 1, 0, 9, 0, 0); }},
        {"unknown group", invalidCall, [&] { commands->AddSequence(in, s, 10, 7, 0, 9, 0, 0); }},
        {"the root group", invalidCall, [&] { commands->GroupSequenceNames(in, 10); }},
        {"not a group code", invalidCall, [&] { commands->GroupSequenceNames(in, 111); }},
        {"unknown operation", invalidCall, [&] { commands->RetrieveSequence(in, 11, 9, s, 0); }},
        {"keys of an unknown light", invalidCall, [&] { commands->MoveKeyFrames(in, 960, 3, 3, 4, 1, false); }},
        {"keys of a shape", invalidCall, [&] { commands->DeleteKeyFrames(in, 150, 3, 4, 3); }},
        {"no scene", ErrorNumber::ObjectRequired, [&] { commands->OperationName(nullptr, 1); }},
        // clang-format on
    };
    for (const auto& [name, number, work] : rows)
        EXPECT_EQ(errorNumberOf(work), number) << name;
}

TEST_F(Operations, CommandsEditKeyBlocksOfEveryKeyedItem)
{
    const int invalidValue = ErrorNumber::InvalidPropertyValue;
    // clang-format off
    enum Action { Move, Copy, Scale, Delete };
    // clang-format on
    struct Edit
    {
        const char* name;
        Action action;
        int leftColumn, rightColumn;
        double by; // frames moved, or the scale factor
        QList<float> frames;
        std::pair<float, float> keyHolds{0, 0}; // a key's frame and the frame it came from
        int refusal = 0;
    };
    // Two fixed columns: column c holds frame c - 2. The keys start at 0, 10, 20 and 30.
    const Edit edits[] = {
        {"move", Move, 12, 22, 5, {0, 15, 25, 30}, {15, 10}},
        {"move onto a key", Move, 12, 12, 10, {0, 20, 30}, {20, 10}},
        {"copy", Copy, 2, 12, 30, {0, 10, 20, 30, 40}, {40, 10}},
        {"before frame 0", Move, 12, 22, -11, {0, 10, 20, 30}, {10, 10}, invalidValue},
        {"stretch", Scale, 12, 22, 2.0, {0, 10, 30, 40}, {30, 20}},
        {"shrink", Scale, 2, 22, 0.5, {0, 5, 10, 20}, {5, 10}},
        {"zero width", Scale, 2, 22, 0.0, {0, 10, 20, 30}},
        {"delete some", Delete, 12, 22, 0, {0, 30}},
        {"delete all", Delete, 2, 32, 0, {0}},
    };
    const auto run = [&](const Edit& edit, std::int32_t code) {
        if (edit.action == Delete)
            commands->DeleteKeyFrames(in, code, edit.leftColumn, edit.rightColumn, 2);
        else if (edit.action == Scale)
            commands->ScaleKeyFrames(in, code, 2, edit.leftColumn, edit.rightColumn, edit.by);
        else
            commands->MoveKeyFrames(in, code, 2, edit.leftColumn, edit.rightColumn, int(edit.by),
                                    edit.action == Copy);
    };
    const auto lamp = scene->addLight(1, QStringLiteral("Lamp"));
    const auto camera = scene->animationCamera();
    const std::pair<outside::Keyframed*, std::int32_t> items[] = {
        {group.get(), group->code()},
        {scale.get(), scale->number() * 100 + outside::Kind::Operation},
        {lamp.get(), lamp->code()},
        {camera.get(), camera->ID() * 100 + outside::Kind::Camera}};
    for (const auto& [keyed, code] : items)
        for (const Edit& edit : edits) {
            SCOPED_TRACE(::testing::Message() << code << " " << edit.name);
            setKeys(*keyed, {0, 10, 20, 30});
            EXPECT_EQ(errorNumberOf([&] { run(edit, code); }), edit.refusal);
            EXPECT_EQ(frames(*keyed), edit.frames);
            const auto held = keyed->GetKeyFrames(edit.keyHolds.first, edit.keyHolds.first);
            ASSERT_EQ(held.size(), 1);
            EXPECT_EQ(held.front().payloadHead, edit.keyHolds.second);
        }

    // A closed loop's last key holds the first key's state wherever it lands.
    setKeys(*group, {0, 10, 20, 30});
    group->setLoopMode(outside::LoopClosed);
    commands->MoveKeyFrames(in, group->code(), 2, 2, 2, 5, false);
    commands->MoveKeyFrames(in, group->code(), 2, 32, 32, 10, false);
    EXPECT_EQ(frames(*group), (QList<float>{5, 10, 20, 40}));
    EXPECT_EQ(group->keyTrack().keys().back().payloadHead, 0.0f);
    EXPECT_EQ(group->keyTrack().find(20)->payloadHead, 20.0f);
}

// Storing, renaming and deleting through the timeline is checked with the panel; here what the
// panel cannot show: a name stored again, names that are not there, flags and operations.
TEST_F(Operations, CommandsKeepRenameDeleteAndRetrieveSequences)
{
    for (float frame : {2.0f, 4.0f, 6.0f, 8.0f}) {
        group->setPosition(QVector3D(frame, 0, 0));
        group->SetKeyFrame(frame == 4.0f, frame);
    }
    const auto walk = QStringLiteral("walk"), missing = QStringLiteral("missing");
    // Columns 6..10 with two fixed columns are frames 4..8: three of the four keys.
    commands->AddSequence(in, walk, 10, 1, 6, 10, 2, 4);
    commands->AddSequence(in, QStringLiteral("hop"), 10, 1, 2, 4, 2, 0);
    commands->RetrieveSequence(in, 10, 1, walk, 20);
    EXPECT_EQ(frames(*group), (QList<float>{2, 4, 6, 8, 20, 22, 24}));
    EXPECT_EQ(std::tuple(group->keyTrack().find(20)->payloadHead,
                         group->keyTrack().find(20)->startsSegment()),
              std::tuple(4.0f, true));

    // The same name again replaces the sequence where it stands; missing names change nothing.
    commands->AddSequence(in, walk, 10, 1, 4, 4, 2, 2);
    commands->RenameSequence(in, 10, 1, missing, QStringLiteral("x"));
    commands->DeleteSequence(in, 10, 1, missing);
    commands->RetrieveSequence(in, 10, 1, missing, 60);
    commands->RetrieveSequence(in, 10, 1, walk, 40);
    EXPECT_EQ(frames(*group).mid(7), (QList<float>{40}));
    EXPECT_EQ(commands->GroupSequenceNames(in, group->code()),
              (QStringList{walk, QStringLiteral("hop")}));

    // Operations keep sequences of their own.
    commands->AddSequence(in, QStringLiteral("swell"), 11, 1, 10, 20, 0, 10);
    EXPECT_EQ(commands->OperationSequenceNames(in, 1), (QStringList{QStringLiteral("swell")}));
    EXPECT_TRUE(commands->OperationSequenceNames(in, 2).isEmpty());
    commands->RetrieveSequence(in, 11, 1, QStringLiteral("swell"), 30);
    EXPECT_EQ(frames(*scale), (QList<float>{4, 10, 20, 30, 40}));
    EXPECT_EQ(scale->keyTrack().find(40)->payloadHead, 2.0f);
}

} // namespace
