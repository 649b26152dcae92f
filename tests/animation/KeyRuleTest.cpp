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

// The enabled options by number, the pressed one, repeat enabled and pressed ("r", "R"), and
// the copies back and forward ("<", ">"); "-" for each that is not.
std::string described(const KeyToolState& state)
{
    std::string text;
    for (int option = 0; option < 3; ++option)
        text += state.optionsEnabled[option] ? char('0' + option) : '-';
    text += ' ' + std::to_string(state.pressedOption) + ' ';
    text += state.repeatEnabled ? 'r' : '-';
    text += state.repeatPressed ? 'R' : '-';
    text += state.previousEnabled ? " <" : " -";
    text += state.nextEnabled ? '>' : '-';
    return text;
}

TEST(KeyRule, ShowsWhatIsTrueAtTheFrame)
{
    struct Row
    {
        const char* name;
        QList<KeyRecord> keys;
        int loopMode;
        int threshold;
        int frame;
        const char* shown;
    } rows[] = {
        {"plain key between others", keysAt({0, 10, 20}), 0, 3, 10, "012 1 -- <>"},
        {"segment start between others", keysAt({0, 10, 20}, 10), 0, 3, 10, "012 2 -- <>"},
        {"first of two keys", keysAt({0, 20}), 0, 3, 0, "--2 2 -- ->"},
        {"first of three keys", keysAt({0, 10, 20}), 0, 3, 0, "0-2 2 -- ->"},
        {"no key here", keysAt({0, 10, 20}), 0, 3, 15, "012 0 -- --"},
        {"four keys before an open path", keysAt({0, 5, 10, 15, 30}), 0, 3, 20, "012 0 r- --"},
        {"three keys before", keysAt({0, 5, 10, 30}), 0, 3, 20, "012 0 -- --"},
        {"a light needs six keys before", keysAt({0, 1, 2, 3, 4, 30}), 0, 5, 20, "012 0 -- --"},
        {"a light with six keys before", keysAt({0, 1, 2, 3, 4, 5, 30}), 0, 5, 20, "012 0 r- --"},
        {"closed loop at the last but one frame", keysAt({0, 50, 99}), 2, 3, 99, "012 1 rR <-"},
        {"open path at the last but one frame", keysAt({0, 50, 99}), 0, 3, 99, "012 1 -- <>"},
        {"open path at the last frame", keysAt({0, 50, 100}), 0, 3, 100, "012 1 -- <-"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(
            described(keyToolState({row.keys, row.loopMode, row.threshold, row.frame, 0, 100})),
            row.shown)
            << row.name;
}

TEST(KeyRule, DescribesAnOperationByItsCounts)
{
    struct Row
    {
        const char* name;
        OperationRuleInput input;
        const char* shown;
    } rows[] = {
        {"the only key, a segment start", {true, true, 0, 0, 1, 30.0f, 30, 0, 100}, "--2 2 -- <>"},
        {"the first key: the pressed option stays, disabled",
         {true, false, 0, 0, 3, 30.0f, 30, 0, 100},
         "0-2 1 -- <>"},
        {"a closed loop wraps after Max - 1",
         {true, false, 2, 1, 3, 0.0f, 99, 0, 100},
         "012 1 rR <-"},
        {"no key, two before the frame", {false, false, 0, 2, 3, 0.0f, 50, 0, 100}, "012 0 r- --"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(described(operationKeyToolState(row.input)), row.shown) << row.name;
}

} // namespace
} // namespace vellum::animation
