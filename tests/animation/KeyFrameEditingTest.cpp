#include "OptionGroup.h"
#include "PanelHarness.h"
#include "XPButton.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::Field;

outside::KeyRecord key(float frame, bool segmentStart = false, float tag = 0.0f)
{
    outside::KeyRecord record;
    record.frame = frame;
    record.payloadHead = tag;
    record.setStartsSegment(segmentStart);
    return record;
}

const QStringList Bracket = {QStringLiteral("PrepareForSceneChanges"),
                             QStringLiteral("ApplySceneChanges")};

// One component selected, in animation mode, whose group holds groupKeys and whose light, camera
// and operation 5 (bound to one shape) hold otherKeys. Key changes are written down in calls.
class KeyFrameEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.Keys = 100;
        ON_CALL(*h.render, KindCategory(_, _)).WillByDefault([](std::int32_t kind, auto& category) {
            category = kind >= 60 && kind <= 79 ? 60 : kind;
        });
        group = h.addGroup(2);
        component = h.select(group);
        ON_CALL(*component, Kind()).WillByDefault([this] { return kind; });
        ON_CALL(*h.sceneGraph, LightByLink(_)).WillByDefault(Return(light));
        ON_CALL(*h.sceneGraph, CameraByLink(_)).WillByDefault(Return(camera));
        ON_CALL(*group, GetKeyFrames(_, _)).WillByDefault([this](auto...) { return groupKeys; });
        ON_CALL(*light, GetKeyFrames(_, _)).WillByDefault([this](auto...) { return otherKeys; });
        ON_CALL(*camera, GetKeyFrames(_, _)).WillByDefault([this](auto...) { return otherKeys; });
        logKeyChanges(*group);
        logKeyChanges(*light);
        logKeyChanges(*camera);
        wireOperation();
        QObject::connect(h.control.get(), &animation::Animation::evtreqButtonsEnable,
                         [this] { h.control->ButtonsEnable(); });
        h.start();
    }

    template <typename Mock> void logKeyChanges(Mock& mock)
    {
        ON_CALL(mock, SetKeyFrame(_, _)).WillByDefault([this](bool start, float frame) {
            calls << QStringLiteral("Set(%1,%2)").arg(start).arg(double(frame));
        });
        ON_CALL(mock, RemoveKeyFrame(_)).WillByDefault([this](float frame) {
            calls << QStringLiteral("Remove(%1)").arg(double(frame));
        });
        ON_CALL(mock, AddKeyFrame(_)).WillByDefault([this](const outside::KeyRecord& k) {
            calls << QStringLiteral("Add(%1,%2)").arg(double(k.frame)).arg(double(k.payloadHead));
        });
        ON_CALL(mock, setLoopMode(_)).WillByDefault([this](int mode) {
            calls << QStringLiteral("Loop(%1)").arg(mode);
        });
    }

    void wireOperation()
    {
        ON_CALL(*component, ObjectLink()).WillByDefault(Return(1111));
        ON_CALL(*h.scene, OperationIndex(1111)).WillByDefault(Return(5));
        tables.operands = {0, 1, 0, 1};
        tables.types = {0, 0, 0, 0, 0, 3};
        tables.targetKinds = {0, 0, 0, 0, 0, 22};
        tables.loopModes = {0, 0, 0, 0, 0, 0};
        ON_CALL(*h.scene, OperationTables(1111)).WillByDefault([this](auto) { return tables; });
        ON_CALL(*h.scene, Operations()).WillByDefault(::testing::ReturnRef(operations));
        operations.Add(operation, QStringLiteral("5"));
        ON_CALL(*h.applier, OperationCheck3(_)).WillByDefault(Return(true));
        ON_CALL(*h.commands, OperationKeyAtFrame(_, 5, _, _, _))
            .WillByDefault([this](auto&, auto, float frame, bool& isKey, bool& start) {
                isKey = start = false;
                for (const outside::KeyRecord& k : otherKeys)
                    if (k.frame == frame)
                        std::tie(isKey, start) = std::pair(true, k.startsSegment());
            });
        ON_CALL(*h.commands, OperationKeysBefore(_, 5, _))
            .WillByDefault([this](auto&, auto, float frame) {
                return std::int32_t(std::ranges::count_if(
                    otherKeys, [frame](const outside::KeyRecord& k) { return k.frame < frame; }));
            });
        ON_CALL(*h.commands, OperationFirstKey(_, 5, _, _))
            .WillByDefault([this](auto&, auto, std::int32_t& count, float& first) {
                count = std::int32_t(otherKeys.size());
                first = otherKeys.isEmpty() ? 0.0f : otherKeys.first().frame;
            });
        ON_CALL(*h.render, AnalyseSelection(_, _, _))
            .WillByDefault([this](std::int32_t, std::int32_t& code, bool& single) {
                code = kind;
                single = kind == 11;
            });
    }
    // The operation's tools: three options, repeat, back, forward; '*' pressed, '+' enabled,
    // '-' disabled.
    QString operationTools()
    {
        QString shown;
        for (const char* name :
             {"optKeyFrameOperationType_0", "optKeyFrameOperationType_1",
              "optKeyFrameOperationType_2", "chkRepeatOperation",
              "cmdCopyKeyFrameOperationBackward", "cmdCopyKeyFrameOperationForward"}) {
            const auto& button = h.widget<common::XPButton>(name);
            shown += button.Value() ? u'*' : button.isEnabled() ? u'+' : u'-';
        }
        return shown;
    }

    void goTo(int frame)
    {
        h.slider().setValue(frame);
        h.control->ButtonsEnable();
        h.events.clear();
        calls.clear();
    }
    void clickOption(const char* group, int index)
    {
        h.clickButton((QByteArray(group) + '_' + QByteArray::number(index)).constData());
    }
    int option(const char* name) { return h.widget<common::OptionGroup>(name).Value(); }

    PanelHarness h;
    Nice<MockShape> component;
    Nice<MockLight> light = nice<MockLight>();
    Nice<MockCamera> camera = nice<MockCamera>();
    Nice<MockGroup> group;
    Nice<MockOperation> operation = nice<MockOperation>();
    outside::Collection<outside::Operation> operations;
    outside::OperationTableSet tables;
    std::int32_t kind = 20;
    QList<outside::KeyRecord> groupKeys;
    QList<outside::KeyRecord> otherKeys;
    QStringList calls;
};

TEST_F(KeyFrameEditingTest, KeyTypesFollowTheShownAndClickedTypes)
{
    struct Row
    {
        int shown; // 0 no key, 1 key, 2 segment start at frame 10
        int clicked;
        const char* call;
    } rows[] = {{0, 1, "Set(0,-1)"}, {0, 2, "Set(1,-1)"},  {1, 0, "Remove(-1)"},
                {1, 2, "Set(1,-1)"}, {2, 0, "Remove(-1)"}, {2, 1, "Set(0,-1)"},
                {1, 1, ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.shown << " clicked " << row.clicked);
        groupKeys = {key(0, true), key(20)};
        if (row.shown > 0)
            groupKeys.insert(1, key(10, row.shown == 2));
        goTo(10);
        ASSERT_EQ(option("optKeyFrameType"), row.shown);
        clickOption("optKeyFrameType", row.clicked);
        EXPECT_EQ(calls.join(u' '), QLatin1String(row.call));
        EXPECT_EQ(h.events.mid(0, 2), Bracket);
        EXPECT_EQ(option("optKeyFrameType"), row.clicked);
    }

    // The right button on a copy only offers the menu (copies themselves: the studio walk).
    h.platform->answerPopupMenu(QString());
    clickChild(*h.control, "cmdCopyKeyFrameBackward", Qt::RightButton);
    EXPECT_EQ(h.platform->callsNamed(QStringLiteral("PopupMenu")).size(), 1);
    EXPECT_EQ(h.slider().Value(), 10);
}

TEST_F(KeyFrameEditingTest, ClosingALoopCopiesTheGroupsFirstKeysALightsThirdsACamerasFirst)
{
    groupKeys = {key(0, true, 100),   key(12, false, 112), key(24, false, 124),
                 key(36, false, 136), key(48, false, 148), key(72, false, 172)};
    goTo(48);
    h.clickButton("chkRepeat");
    EXPECT_EQ(calls, QStringList({QStringLiteral("Remove(48)"), QStringLiteral("Remove(72)"),
                                  QStringLiteral("Add(48,100)"), QStringLiteral("Add(48,136)"),
                                  QStringLiteral("Loop(2)")}))
        << "the path ends with copies at the current frame";
    EXPECT_EQ(h.events.mid(0, 4), Bracket + QStringList({QStringLiteral("ButtonsEnable"),
                                                         QStringLiteral("RenderAllViews")}));

    for (int frame = 0; frame <= 60; frame += 10)
        otherKeys.append(key(float(frame), frame == 0, float(100 + frame)));
    otherKeys.append(key(90, false, 190)); // 8 keys: copies of 0, 3 and 5
    for (auto [componentKind, copies] :
         {std::pair{60, "Add(60,100) Add(60,130) Add(60,150)"}, {80, "Add(60,100)"}}) {
        kind = componentKind;
        h.widget<common::XPButton>("chkRepeatOperation").setValue(false);
        goTo(60);
        h.clickButton("chkRepeatOperation");
        EXPECT_EQ(calls.filter(QStringLiteral("Add")).join(u' '), QLatin1String(copies));
        if (componentKind == 60) {
            EXPECT_FALSE(h.events.contains(QStringLiteral("RenderAllViews")));
        }
    }
}

TEST_F(KeyFrameEditingTest, ResetsAskFirstAndGoAheadOnlyOnYes)
{
    auto other = h.addGroup(3);
    groupKeys = {key(0, true), key(20)};
    goTo(10);
    h.platform->answerMsgBox(outside::MsgBoxResult::No);
    EXPECT_CALL(*group, ResetAnimation(_)).Times(0);
    h.clickButton("cmdReset");
    ::testing::Mock::VerifyAndClearExpectations(group.get());

    h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
    EXPECT_CALL(*group, ResetAnimation(-1.0f));
    h.clickButton("cmdReset");
    EXPECT_TRUE(h.platform->calls().join(u'\n').contains(QStringLiteral(
        "This will reset the active component's animation positions and orientations. Continue?")));

    h.platform->answerMsgBox(outside::MsgBoxResult::Yes);
    EXPECT_CALL(*group, ResetAnimation(-1.0f));
    EXPECT_CALL(*other, ResetAnimation(-1.0f));
    h.clickButton("cmdResetAll");
    EXPECT_TRUE(h.platform->allAnswersUsed());
}

TEST_F(KeyFrameEditingTest, TwoSelectedComponentsResetBothToolSetsAndTheStatusNeedsTheExactFrame)
{
    groupKeys = {key(0, true), key(10), key(20)};
    goTo(10);
    h.select(group);
    h.control->ButtonsEnable();
    for (const char* name :
         {"optKeyFrameType_0", "optKeyFrameType_1", "optKeyFrameType_2", "chkRepeat",
          "optKeyFrameOperationType_1", "chkRepeatOperation", "cmdCopyKeyFrameForward"}) {
        EXPECT_FALSE(h.widget<common::XPButton>(name).isEnabled()) << name;
        EXPECT_FALSE(h.widget<common::XPButton>(name).Value()) << name;
    }
    EXPECT_EQ(option("optKeyFrameType"), -1);

    groupKeys = {key(0, true), key(24.0001f)};
    EXPECT_FALSE(h.control->bGetAnimationKeyFrameStatus(group, 24.0f));
    EXPECT_TRUE(h.control->bGetAnimationKeyFrameStatus(group, 24.0001f));
}

TEST_F(KeyFrameEditingTest, TheOperationToolSetNeedsABoundOperationThatTheApplierKnows)
{
    kind = 11;
    otherKeys = {key(0, true), key(10), key(20)};
    for (auto [frame, tools, why] : {std::tuple{10, "+*+-++", "a plain key after one key"},
                                     {20, "+*++++", "two keys before: repeat possible"},
                                     {0, "+-*--+", "the first key stays a start"},
                                     {15, "*+++--", "no key here"}}) {
        goTo(frame);
        EXPECT_EQ(operationTools(), QLatin1String(tools)) << why;
    }
    tables.loopModes[5] = 2;
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("+*+*++")) << "a closed loop presses repeat";

    tables.operands = {0, 1, 0, 0};
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("------")) << "an unbound operation";

    tables.operands = {0, 1, 0, 1};
    ON_CALL(*h.applier, OperationCheck3(Field(&outside::OperationEntry::targetKind, 22)))
        .WillByDefault(Return(false));
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("------")) << "no check knows the operation";
    EXPECT_EQ(option("optKeyFrameOperationType"), -1);
}

TEST_F(KeyFrameEditingTest, OperationKeysAreSetAtTheCurrentFrameAndAPlainCopyKeepsTheTables)
{
    kind = 11;
    otherKeys = {key(0, true), key(10), key(20)};
    h.currentFrame = 15;
    goTo(15);
    EXPECT_CALL(*operation, SetKeyFrame(true, 15.0f));
    clickOption("optKeyFrameOperationType", 2);
    EXPECT_TRUE(h.modified);
    EXPECT_EQ(h.events.mid(0, 2), Bracket);

    // An operation no longer active keys nothing, but the change is still bracketed.
    ON_CALL(*h.scene, OperationIndex(1111)).WillByDefault(Return(0));
    EXPECT_CALL(*operation, RemoveKeyFrame(_)).Times(0);
    h.events.clear();
    clickOption("optKeyFrameOperationType", 0);
    EXPECT_EQ(h.events.mid(0, 2), Bracket);
    ON_CALL(*h.scene, OperationIndex(1111)).WillByDefault(Return(5));

    // Copies with Alt, and closed loops, are followed on the real scene graph in the studio.
    goTo(10);
    EXPECT_CALL(*h.scene, ShapeChanged(_));
    EXPECT_CALL(*h.scene, OperationDataChanged(_, _)).Times(0);
    h.clickButton("cmdCopyKeyFrameOperationBackward");
    EXPECT_EQ(h.slider().Value(), 9);
}

} // namespace
} // namespace vellum::testing
