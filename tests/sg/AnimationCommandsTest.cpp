// The animation commands: operation queries and the named sequences of groups and operations.
#include "ErrorNumber.h"
#include "OperationScene.h"

#include <gtest/gtest.h>
#include <outside/AnimationCommands.h>

using namespace vellum;
using namespace vellum::sg;
using vellum::testing::errorNumberOf;

namespace {

class Commands : public ::testing::Test, protected sg::testing::OperationScene
{
protected:
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

TEST_F(Commands, AnswerAboutOperationsAndTheirKeys)
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

TEST_F(Commands, RefuseUnknownOperationsScenesAndItemKinds)
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

TEST_F(Commands, EditKeyBlocksOfEveryKeyedItem)
{
    const int invalidValue = ErrorNumber::InvalidPropertyValue;
    enum Action
    {
        Move,
        Copy,
        Scale,
        Delete
    };
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

TEST_F(Commands, KeepRenameDeleteAndRetrieveSequences)
{
    for (float frame : {2.0f, 4.0f, 6.0f, 8.0f}) {
        group->setPosition(QVector3D(frame, 0, 0));
        group->SetKeyFrame(frame == 4.0f, frame);
    }
    const int code = group->code();
    // Columns 6..10 with two fixed columns are frames 4..8: three of the four keys.
    commands->AddSequence(in, QStringLiteral("walk"), 10, 1, 6, 10, 2, 4);
    commands->AddSequence(in, QStringLiteral("hop"), 10, 1, 2, 4, 2, 0);
    EXPECT_EQ(commands->GroupSequenceNames(in, code),
              (QStringList{QStringLiteral("walk"), QStringLiteral("hop")}));

    commands->RetrieveSequence(in, 10, 1, QStringLiteral("walk"), 20);
    EXPECT_EQ(frames(*group), (QList<float>{2, 4, 6, 8, 20, 22, 24}));
    EXPECT_EQ(group->keyTrack().find(20)->payloadHead, 4.0f);
    EXPECT_TRUE(group->keyTrack().find(20)->startsSegment());
    EXPECT_EQ(group->keyTrack().find(24)->payloadHead, 8.0f);

    // The same name again replaces the sequence where it stands.
    commands->AddSequence(in, QStringLiteral("walk"), 10, 1, 4, 4, 2, 2);
    EXPECT_EQ(commands->GroupSequenceNames(in, code).first(), QStringLiteral("walk"));
    commands->RetrieveSequence(in, 10, 1, QStringLiteral("walk"), 40);
    EXPECT_EQ(frames(*group).mid(7), (QList<float>{40}));

    commands->RenameSequence(in, 10, 1, QStringLiteral("walk"), QStringLiteral("run"));
    commands->RenameSequence(in, 10, 1, QStringLiteral("missing"), QStringLiteral("x"));
    commands->DeleteSequence(in, 10, 1, QStringLiteral("missing"));
    commands->RetrieveSequence(in, 10, 1, QStringLiteral("missing"), 60);
    EXPECT_EQ(commands->GroupSequenceNames(in, code),
              (QStringList{QStringLiteral("run"), QStringLiteral("hop")}));
    EXPECT_EQ(group->keyTrack().count(), 8);
    commands->DeleteSequence(in, 10, 1, QStringLiteral("run"));
    EXPECT_EQ(commands->GroupSequenceNames(in, code), (QStringList{QStringLiteral("hop")}));

    // Operations keep sequences of their own.
    commands->AddSequence(in, QStringLiteral("swell"), 11, 1, 10, 20, 0, 10);
    EXPECT_EQ(commands->OperationSequenceNames(in, 1), (QStringList{QStringLiteral("swell")}));
    EXPECT_TRUE(commands->OperationSequenceNames(in, 2).isEmpty());
    commands->RetrieveSequence(in, 11, 1, QStringLiteral("swell"), 30);
    EXPECT_EQ(frames(*scale), (QList<float>{4, 10, 20, 30, 40}));
    EXPECT_EQ(scale->keyTrack().find(40)->payloadHead, 2.0f);
}

} // namespace
