#include "KeyRule.h"

#include <gtest/gtest.h>

namespace vellum::animation {
namespace {

using outside::KeyRecord;

QList<KeyRecord> keysAt(std::initializer_list<float> frames, float segmentStartAt = -1.0f)
{
    QList<KeyRecord> keys;
    for (float frame : frames) {
        KeyRecord key;
        key.frame = frame;
        key.setStartsSegment(frame == segmentStartAt);
        keys.append(key);
    }
    return keys;
}

struct RuleRow
{
    const char* name;
    QList<KeyRecord> keys;
    int loopMode;
    int threshold;
    int frame;
    // Expected: enabled options as "012" flags, pressed option, repeat enabled/pressed, copies.
    const char* enabledOptions;
    int pressed;
    bool repeatEnabled;
    bool repeatPressed;
    bool previous;
    bool next;
};

class KeyRuleRows : public ::testing::TestWithParam<RuleRow>
{};

TEST_P(KeyRuleRows, ShowWhatIsTrueAtTheFrame)
{
    const RuleRow& row = GetParam();
    const KeyToolState state =
        keyToolState({row.keys, row.loopMode, row.threshold, row.frame, 0, 100});
    QString enabled;
    for (int option = 0; option < 3; ++option)
        enabled += state.optionsEnabled[option] ? QChar(u'0' + option) : QChar(u'-');
    EXPECT_EQ(enabled, QLatin1String(row.enabledOptions));
    EXPECT_EQ(state.pressedOption, row.pressed);
    EXPECT_EQ(state.repeatEnabled, row.repeatEnabled);
    EXPECT_EQ(state.repeatPressed, row.repeatPressed);
    EXPECT_EQ(state.previousEnabled, row.previous);
    EXPECT_EQ(state.nextEnabled, row.next);
}

INSTANTIATE_TEST_SUITE_P(
    KeyRule, KeyRuleRows,
    ::testing::Values(
        RuleRow{"PlainKeyBetweenOthers", keysAt({0, 10, 20}), 0, 3, 10, "012", 1, false, false,
                true, true},
        RuleRow{"SegmentStartBetweenOthers", keysAt({0, 10, 20}, 10), 0, 3, 10, "012", 2, false,
                false, true, true},
        RuleRow{"FirstOfTwoKeys", keysAt({0, 20}), 0, 3, 0, "--2", 2, false, false, false, true},
        RuleRow{"FirstOfThreeKeys", keysAt({0, 10, 20}), 0, 3, 0, "0-2", 2, false, false, false,
                true},
        RuleRow{"NoKeyHere", keysAt({0, 10, 20}), 0, 3, 15, "012", 0, false, false, false, false},
        RuleRow{"FourKeysBeforeAnOpenPath", keysAt({0, 5, 10, 15, 30}), 0, 3, 20, "012", 0, true,
                false, false, false},
        RuleRow{"ThreeKeysBefore", keysAt({0, 5, 10, 30}), 0, 3, 20, "012", 0, false, false, false,
                false},
        RuleRow{"LightNeedsSixKeysBefore", keysAt({0, 1, 2, 3, 4, 30}), 0, 5, 20, "012", 0, false,
                false, false, false},
        RuleRow{"LightWithSixKeysBefore", keysAt({0, 1, 2, 3, 4, 5, 30}), 0, 5, 20, "012", 0, true,
                false, false, false},
        RuleRow{"ClosedLoopAtTheLastButOneFrame", keysAt({0, 50, 99}), 2, 3, 99, "012", 1, true,
                true, true, false},
        RuleRow{"OpenPathAtTheLastButOneFrame", keysAt({0, 50, 99}), 0, 3, 99, "012", 1, false,
                false, true, true},
        RuleRow{"OpenPathAtTheLastFrame", keysAt({0, 50, 100}), 0, 3, 100, "012", 1, false, false,
                true, false}),
    [](const ::testing::TestParamInfo<RuleRow>& info) { return info.param.name; });

TEST(OperationKeyRule, DescribesTheOperationByItsCounts)
{
    const auto enabledOf = [](const KeyToolState& state) {
        QString enabled;
        for (int option = 0; option < 3; ++option)
            enabled += state.optionsEnabled[option] ? QChar(u'0' + option) : QChar(u'-');
        return enabled;
    };
    OperationRuleInput single{true, true, 0, 0, 1, 30.0f, 30, 0, 100};
    KeyToolState state = operationKeyToolState(single);
    EXPECT_EQ(enabledOf(state), QStringLiteral("--2")) << "the only key, a segment start";
    EXPECT_EQ(state.pressedOption, 2);

    OperationRuleInput first{true, false, 0, 0, 3, 30.0f, 30, 0, 100};
    state = operationKeyToolState(first);
    EXPECT_EQ(enabledOf(state), QStringLiteral("0-2"));
    EXPECT_EQ(state.pressedOption, 1) << "the pressed option stays, disabled";

    OperationRuleInput closedAtEnd{true, false, 2, 1, 3, 0.0f, 99, 0, 100};
    state = operationKeyToolState(closedAtEnd);
    EXPECT_TRUE(state.repeatPressed && state.repeatEnabled);
    EXPECT_TRUE(state.previousEnabled);
    EXPECT_FALSE(state.nextEnabled) << "a closed loop wraps after Max - 1";

    OperationRuleInput none{false, false, 0, 2, 3, 0.0f, 50, 0, 100};
    state = operationKeyToolState(none);
    EXPECT_EQ(state.pressedOption, 0);
    EXPECT_TRUE(state.repeatEnabled) << "two keys before the frame";
    EXPECT_FALSE(state.previousEnabled || state.nextEnabled);
}

} // namespace
} // namespace vellum::animation
