#include "OptionGroup.h"
#include "PanelHarness.h"
#include "XPButton.h"

#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::Field;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;

outside::KeyRecord key(float frame, bool segmentStart = false, float tag = 0.0f)
{
    outside::KeyRecord record;
    record.frame = frame;
    record.payloadHead = tag;
    record.setStartsSegment(segmentStart);
    return record;
}

// One component selected, in animation mode, whose group, light and camera hold the keys the
// test gives them.
class KeyFrameEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.Keys = 100;
        ON_CALL(*h.sceneGraph, CreateRenderUtility()).WillByDefault(Return(render));
        ON_CALL(*render, KindCategory(_, _))
            .WillByDefault(Invoke([](std::int32_t kind, std::int32_t& category) {
                category = kind >= 60 && kind <= 79 ? 60 : kind;
            }));
        ON_CALL(*h.sceneGraph, SelectedCount(_)).WillByDefault(Return(1));
        ON_CALL(*h.sceneGraph, SelectedItem(_, _)).WillByDefault(Return(component));
        ON_CALL(*h.sceneGraph, LightByLink(_)).WillByDefault(Return(light));
        ON_CALL(*h.sceneGraph, CameraByLink(_)).WillByDefault(Return(camera));
        group = h.addGroup(2);
        ON_CALL(*component, ParentGroup()).WillByDefault(Return(group));
        ON_CALL(*component, Kind()).WillByDefault(Invoke([this] { return kind; }));
        ON_CALL(*group, GetKeyFrames(_, _)).WillByDefault(Invoke([this](float, float) {
            return groupKeys;
        }));
        ON_CALL(*light, GetKeyFrames(_, _)).WillByDefault(Invoke([this](float, float) {
            return otherKeys;
        }));
        ON_CALL(*camera, GetKeyFrames(_, _)).WillByDefault(Invoke([this](float, float) {
            return otherKeys;
        }));
        wireOperation();
        QObject::connect(h.control.get(), &animation::Animation::evtreqButtonsEnable,
                         [this] { h.control->ButtonsEnable(); });
        h.bind();
        h.control->SetupPanel();
        h.control->SetModePrepare(1);
    }
    void TearDown() override { h.unbind(); }

    // The component stands for operation 5, bound to one shape, with otherKeys as its keys.
    void wireOperation()
    {
        ON_CALL(*component, ObjectLink()).WillByDefault(Return(1111));
        ON_CALL(*h.scene, OperationIndex(1111)).WillByDefault(Return(5));
        tables.operands = {0, 1, 0, 1};
        tables.types = {0, 0, 0, 0, 0, 3};
        tables.targetKinds = {0, 0, 0, 0, 0, 22};
        tables.loopModes = {0, 0, 0, 0, 0, 0};
        ON_CALL(*h.scene, OperationTables(1111)).WillByDefault(Invoke([this](std::int32_t) {
            return tables;
        }));
        ON_CALL(*h.scene, Operations()).WillByDefault(::testing::ReturnRef(operations));
        operations.Add(operation, QStringLiteral("5"));
        ON_CALL(*h.applier, OperationCheck3(_)).WillByDefault(Return(true));
        ON_CALL(*h.commands, OperationKeyAtFrame(_, 5, _, _, _))
            .WillByDefault(Invoke([this](const outside::ScenePtr&, std::int32_t, float frame,
                                         bool& isKey, bool& start) {
                isKey = start = false;
                for (const outside::KeyRecord& k : otherKeys)
                    if (k.frame == frame) {
                        isKey = true;
                        start = k.startsSegment();
                    }
            }));
        ON_CALL(*h.commands, OperationKeysBefore(_, 5, _))
            .WillByDefault(Invoke([this](const outside::ScenePtr&, std::int32_t, float frame) {
                return std::int32_t(std::count_if(
                    otherKeys.cbegin(), otherKeys.cend(),
                    [frame](const outside::KeyRecord& k) { return k.frame < frame; }));
            }));
        ON_CALL(*h.commands, OperationFirstKey(_, 5, _, _))
            .WillByDefault(Invoke(
                [this](const outside::ScenePtr&, std::int32_t, std::int32_t& count, float& first) {
                    count = std::int32_t(otherKeys.size());
                    first = otherKeys.isEmpty() ? 0.0f : otherKeys.first().frame;
                }));
        ON_CALL(*render, AnalyseSelection(_, _, _))
            .WillByDefault(Invoke([this](std::int32_t, std::int32_t& code, bool& single) {
                code = kind;
                single = kind == 11;
            }));
    }
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
    }
    void clickOption(const char* group, int index)
    {
        const QByteArray name = QByteArray(group) + '_' + QByteArray::number(index);
        h.clickButton(name.constData());
    }
    common::OptionGroup& options(const char* name) { return h.widget<common::OptionGroup>(name); }

    PanelHarness h;
    std::shared_ptr<NiceMock<MockRenderUtility>> render =
        std::make_shared<NiceMock<MockRenderUtility>>();
    std::shared_ptr<NiceMock<MockShape>> component = std::make_shared<NiceMock<MockShape>>();
    std::shared_ptr<NiceMock<MockLight>> light = std::make_shared<NiceMock<MockLight>>();
    std::shared_ptr<NiceMock<MockCamera>> camera = std::make_shared<NiceMock<MockCamera>>();
    std::shared_ptr<NiceMock<MockGroup>> group;
    std::shared_ptr<NiceMock<MockOperation>> operation =
        std::make_shared<NiceMock<MockOperation>>();
    outside::Collection<outside::Operation> operations;
    outside::OperationTableSet tables;
    std::int32_t kind = 20;
    QList<outside::KeyRecord> groupKeys;
    QList<outside::KeyRecord> otherKeys;
};

struct TypeRow
{
    const char* name;
    int shown; // 0 no key, 1 key, 2 segment start at frame 10
    int clicked;
    const char* call;
};

class KeyFrameTypes : public KeyFrameEditingTest, public ::testing::WithParamInterface<TypeRow>
{};

TEST_P(KeyFrameTypes, FollowTheShownAndClickedTypes)
{
    const TypeRow row = GetParam();
    groupKeys = {key(0, true), key(20)};
    if (row.shown > 0)
        groupKeys.insert(1, key(10, row.shown == 2));
    goTo(10);
    ASSERT_EQ(options("optKeyFrameType").Value(), row.shown);

    QStringList calls;
    ON_CALL(*group, SetKeyFrame(_, _)).WillByDefault(Invoke([&](bool start, float frame) {
        calls << QStringLiteral("Set(%1,%2)").arg(start).arg(double(frame));
    }));
    ON_CALL(*group, RemoveKeyFrame(_)).WillByDefault(Invoke([&](float frame) {
        calls << QStringLiteral("Remove(%1)").arg(double(frame));
    }));
    clickOption("optKeyFrameType", row.clicked);

    EXPECT_EQ(calls.join(u' '), QLatin1String(row.call));
    EXPECT_EQ(h.events.mid(0, 2), QStringList({QStringLiteral("PrepareForSceneChanges"),
                                               QStringLiteral("ApplySceneChanges")}));
    EXPECT_EQ(options("optKeyFrameType").Value(), row.clicked);
}

INSTANTIATE_TEST_SUITE_P(KeyFrameEditing, KeyFrameTypes,
                         ::testing::Values(TypeRow{"NoneToKey", 0, 1, "Set(0,-1)"},
                                           TypeRow{"NoneToSegmentStart", 0, 2, "Set(1,-1)"},
                                           TypeRow{"KeyToNone", 1, 0, "Remove(-1)"},
                                           TypeRow{"KeyToSegmentStart", 1, 2, "Set(1,-1)"},
                                           TypeRow{"SegmentStartToNone", 2, 0, "Remove(-1)"},
                                           TypeRow{"SegmentStartToKey", 2, 1, "Set(0,-1)"},
                                           TypeRow{"SameTypeCallsNothing", 1, 1, ""}),
                         [](const ::testing::TestParamInfo<TypeRow>& info) {
                             return info.param.name;
                         });

TEST_F(KeyFrameEditingTest, CopyForwardTellsTheSceneAtTheSourceFrameAndRightClickOnlyOffersTheMenu)
{
    groupKeys = {key(0, true), key(10), key(20)};
    goTo(10);
    int sliderAtNotification = -1;
    EXPECT_CALL(*h.scene, GroupChanged(_)).WillOnce(Invoke([&](const outside::GroupPtr&) {
        sliderAtNotification = h.slider().Value();
    }));
    // The right button offers the menu instead of copying.
    h.platform->answerPopupMenu(QString());
    QTest::mouseClick(&h.widget<common::XPButton>("cmdCopyKeyFrameBackward"), Qt::RightButton);
    EXPECT_EQ(h.platform->callsNamed(QStringLiteral("PopupMenu")).size(), 1);
    EXPECT_EQ(h.slider().Value(), 10);
    h.events.clear();

    h.clickButton("cmdCopyKeyFrameForward");
    EXPECT_EQ(sliderAtNotification, 10);
    EXPECT_EQ(h.slider().Value(), 11);
    EXPECT_TRUE(h.modified);
    EXPECT_EQ(h.events.count(QStringLiteral("RenderAllViews")), 2 + 1)
        << "the copy, the click, the slider";
}

TEST_F(KeyFrameEditingTest, ClosingAGroupLoopEndsThePathWithCopiesAtTheCurrentFrame)
{
    groupKeys = {key(0, true, 100),   key(12, false, 112), key(24, false, 124),
                 key(36, false, 136), key(48, false, 148), key(72, false, 172)};
    goTo(48);
    ASSERT_TRUE(h.widget<common::XPButton>("chkRepeat").isEnabled());
    {
        InSequence order;
        EXPECT_CALL(*group, RemoveKeyFrame(48.0f));
        EXPECT_CALL(*group, RemoveKeyFrame(72.0f));
        EXPECT_CALL(*group,
                    AddKeyFrame(::testing::AllOf(Field(&outside::KeyRecord::frame, 48.0f),
                                                 Field(&outside::KeyRecord::payloadHead, 100.0f))));
        EXPECT_CALL(*group,
                    AddKeyFrame(::testing::AllOf(Field(&outside::KeyRecord::frame, 48.0f),
                                                 Field(&outside::KeyRecord::payloadHead, 136.0f))));
        EXPECT_CALL(*group, setLoopMode(2));
    }
    h.clickButton("chkRepeat");
    EXPECT_EQ(
        h.events.mid(0, 4),
        QStringList({QStringLiteral("PrepareForSceneChanges"), QStringLiteral("ApplySceneChanges"),
                     QStringLiteral("ButtonsEnable"), QStringLiteral("RenderAllViews")}));
}

TEST_F(KeyFrameEditingTest, ClosingALightLoopCopiesItsThirdsAndACameraOnlyItsFirstKey)
{
    for (int frame = 0; frame <= 60; frame += 10)
        otherKeys.append(key(float(frame), frame == 0, float(100 + frame)));
    otherKeys.append(key(90, false, 190)); // 8 keys: copies of 0, 3 and 5
    kind = 60;
    goTo(60);
    ASSERT_TRUE(h.widget<common::XPButton>("chkRepeatOperation").isEnabled());
    QList<float> copied;
    ON_CALL(*light, AddKeyFrame(_)).WillByDefault(Invoke([&](const outside::KeyRecord& k) {
        copied << k.payloadHead;
    }));
    h.clickButton("chkRepeatOperation");
    EXPECT_EQ(copied, QList<float>({100, 130, 150}));
    EXPECT_FALSE(h.events.contains(QStringLiteral("RenderAllViews")));

    kind = 80;
    copied.clear();
    h.widget<common::XPButton>("chkRepeatOperation").setValue(false);
    goTo(60);
    ON_CALL(*camera, AddKeyFrame(_)).WillByDefault(Invoke([&](const outside::KeyRecord& k) {
        copied << k.payloadHead;
    }));
    h.clickButton("chkRepeatOperation");
    EXPECT_EQ(copied, QList<float>({100}));
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

TEST_F(KeyFrameEditingTest, TheKeyStatusNeedsTheExactFrame)
{
    groupKeys = {key(0, true), key(24.0001f)};
    EXPECT_FALSE(h.control->bGetAnimationKeyFrameStatus(group, 24.0f));
    EXPECT_TRUE(h.control->bGetAnimationKeyFrameStatus(group, 24.0001f));
}

TEST_F(KeyFrameEditingTest, TwoSelectedComponentsResetBothToolSets)
{
    groupKeys = {key(0, true), key(10), key(20)};
    goTo(10);
    ON_CALL(*h.sceneGraph, SelectedCount(_)).WillByDefault(Return(2));
    h.control->ButtonsEnable();
    for (const char* name :
         {"optKeyFrameType_0", "optKeyFrameType_1", "optKeyFrameType_2", "chkRepeat",
          "optKeyFrameOperationType_1", "chkRepeatOperation", "cmdCopyKeyFrameForward"}) {
        EXPECT_FALSE(h.widget<common::XPButton>(name).isEnabled()) << name;
        EXPECT_FALSE(h.widget<common::XPButton>(name).Value()) << name;
    }
    EXPECT_EQ(options("optKeyFrameType").Value(), -1);
}

// Tool strings: the three options, repeat, back, forward; '*' pressed, '+' enabled, '-' disabled.
TEST_F(KeyFrameEditingTest, TheOperationToolSetNeedsABoundOperationThatTheApplierKnows)
{
    kind = 11;
    otherKeys = {key(0, true), key(10), key(20)};
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("+*+-++")) << "a plain key after one key";
    goTo(20);
    EXPECT_EQ(operationTools(), QStringLiteral("+*++++")) << "two keys before: repeat possible";
    goTo(0);
    EXPECT_EQ(operationTools(), QStringLiteral("+-*--+")) << "the first key stays a start";
    goTo(15);
    EXPECT_EQ(operationTools(), QStringLiteral("*+++--")) << "no key here";

    tables.loopModes[5] = 2;
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("+*+*++")) << "a closed loop presses repeat";

    tables.operands = {0, 1, 0, 0};
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("------")) << "an unbound operation";

    tables.operands = {0, 1, 0, 1};
    ON_CALL(*h.applier, OperationCheck3(_)).WillByDefault(Return(false));
    {
        ::testing::InSequence order;
        EXPECT_CALL(*h.applier, OperationCheck1(Field(&outside::OperationEntry::type, 3)));
        EXPECT_CALL(*h.applier, OperationCheck2(_));
        EXPECT_CALL(*h.applier, OperationCheck3(Field(&outside::OperationEntry::targetKind, 22)));
        EXPECT_CALL(*h.applier, OperationCheck4(_));
    }
    goTo(10);
    EXPECT_EQ(operationTools(), QStringLiteral("------")) << "no check knows the operation";
    EXPECT_EQ(options("optKeyFrameOperationType").Value(), -1);
}

TEST_F(KeyFrameEditingTest, OperationKeysAreSetAtTheCurrentFrameAndLoopsChangedByCommand)
{
    kind = 11;
    otherKeys = {key(0, true), key(10), key(20)};
    h.currentFrame = 15;
    goTo(15);
    EXPECT_CALL(*operation, SetKeyFrame(true, 15.0f));
    clickOption("optKeyFrameOperationType", 2);
    EXPECT_TRUE(h.modified);
    const QStringList bracket = {QStringLiteral("PrepareForSceneChanges"),
                                 QStringLiteral("ApplySceneChanges")};
    EXPECT_EQ(h.events.mid(0, 2), bracket);

    // An operation no longer active keys nothing, but the change is still bracketed.
    ON_CALL(*h.scene, OperationIndex(1111)).WillByDefault(Return(0));
    EXPECT_CALL(*operation, RemoveKeyFrame(_)).Times(0);
    h.events.clear();
    clickOption("optKeyFrameOperationType", 0);
    EXPECT_EQ(h.events.mid(0, 2), bracket);
    ON_CALL(*h.scene, OperationIndex(1111)).WillByDefault(Return(5));

    goTo(20);
    ON_CALL(*h.commands, OperationLoopMode(_, 5)).WillByDefault(Return(0));
    EXPECT_CALL(*h.commands, SetOperationLoopMode(_, 5, 2));
    h.clickButton("chkRepeatOperation");
    EXPECT_EQ(h.events.mid(0, 2),
              QStringList({QStringLiteral("ButtonsEnable"), QStringLiteral("RenderAllViews")}));
}

TEST_F(KeyFrameEditingTest, AnOperationKeyCopiedWithAltHandsTheSceneTheOperationTables)
{
    kind = 11;
    otherKeys = {key(0, true), key(10), key(20)};
    goTo(10);
    auto& forward = h.widget<common::XPButton>("cmdCopyKeyFrameOperationForward");
    {
        ::testing::InSequence order;
        EXPECT_CALL(*h.scene, ShapeChanged(_));
        EXPECT_CALL(*h.scene, OperationDataChanged(_, Field(&outside::OperationTableSet::operands,
                                                            tables.operands)));
    }
    QTest::mouseClick(&forward, Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(h.slider().Value(), 11);
    ::testing::Mock::VerifyAndClearExpectations(h.scene.get());

    goTo(10);
    EXPECT_CALL(*h.scene, ShapeChanged(_));
    EXPECT_CALL(*h.scene, OperationDataChanged(_, _)).Times(0);
    QTest::mouseClick(&h.widget<common::XPButton>("cmdCopyKeyFrameOperationBackward"),
                      Qt::LeftButton);
    EXPECT_EQ(h.slider().Value(), 9);
}

} // namespace
} // namespace vellum::testing
