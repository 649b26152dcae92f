// The animation commands: operation queries and the named sequences of groups and operations.
#include "OperationScene.h"

#include <functional>
#include <gtest/gtest.h>
#include <outside/AnimationCommands.h>

using namespace vellum;
using namespace vellum::sg;

namespace {

int refusal(const std::function<void()>& work)
{
    try {
        work();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

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

    struct Row
    {
        float frame;
        bool isKey;
        bool segmentStart;
        int before;
    };
    for (const Row& row :
         {Row{0, false, false, 0}, Row{4, true, false, 0}, Row{10, true, true, 1},
          Row{10.5f, false, false, 2}, Row{20, true, false, 2}, Row{99, false, false, 3}}) {
        SCOPED_TRACE(row.frame);
        bool isKey = !row.isKey, segmentStart = !row.segmentStart;
        commands->OperationKeyAtFrame(in, 1, row.frame, isKey, segmentStart);
        EXPECT_EQ(isKey, row.isKey);
        EXPECT_EQ(segmentStart, row.segmentStart);
        EXPECT_EQ(commands->OperationKeysBefore(in, 1, row.frame), row.before);
    }

    std::int32_t count = -1;
    float first = -1;
    commands->OperationFirstKey(in, 1, count, first);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(first, 4.0f);
    commands->OperationFirstKey(in, 2, count, first);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(first, 0.0f);
}

TEST_F(Commands, RefuseUnknownOperationsScenesAndItemKinds)
{
    struct Row
    {
        const char* name;
        int number;
        std::function<void()> work;
    };
    const int invalidCall = ErrorNumber::InvalidProcedureCall;
    const QString s = QStringLiteral("s");
    const Row rows[] = {
        {"name", invalidCall, [&] { commands->OperationName(in, 9); }},
        {"keys", invalidCall, [&] { commands->OperationKeys(in, 0); }},
        {"loop mode", ErrorNumber::InvalidPropertyValue,
         [&] { commands->SetOperationLoopMode(in, 1, 1); }},
        {"sequences of a light", invalidCall,
         [&] { commands->AddSequence(in, s, 60, 1, 0, 9, 0, 0); }},
        {"unknown group", invalidCall, [&] { commands->AddSequence(in, s, 10, 7, 0, 9, 0, 0); }},
        {"the root group", invalidCall, [&] { commands->GroupSequenceNames(in, 10); }},
        {"not a group code", invalidCall, [&] { commands->GroupSequenceNames(in, 111); }},
        {"unknown operation", invalidCall, [&] { commands->RetrieveSequence(in, 11, 9, s, 0); }},
        {"no scene", ErrorNumber::ObjectRequired, [&] { commands->OperationName(nullptr, 1); }},
    };
    for (const Row& row : rows)
        EXPECT_EQ(refusal(row.work), row.number) << row.name;
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
