#include "AnimationSettings.h"
#include "Collection.h"
#include "ErrorRule.h"
#include "KeyRecord.h"

#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>

namespace vellum::outside {
namespace {

template <typename T> T readAt(const void* record, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof(T));
    return value;
}

TEST(KeyRecordTest, FrameAndSegmentFlagSitWhereTheScenesWriteThem)
{
    KeyRecord key;
    key.frame = 24.5f;
    key.setStartsSegment(true);
    EXPECT_EQ(readAt<float>(&key, 4), 24.5f);
    EXPECT_EQ(readAt<std::int16_t>(&key, 28), -1) << "True is stored as -1";
    key.setStartsSegment(false);
    EXPECT_EQ(readAt<std::int16_t>(&key, 28), 0);

    // A record written byte-wise by a scene graph reads back through the fields.
    unsigned char raw[32] = {};
    const float frame = 7.25f;
    const std::int16_t flag = -1;
    std::memcpy(raw + 4, &frame, 4);
    std::memcpy(raw + 28, &flag, 2);
    KeyRecord fromBytes;
    std::memcpy(&fromBytes, raw, sizeof raw);
    EXPECT_EQ(fromBytes.frame, 7.25f);
    EXPECT_TRUE(fromBytes.startsSegment());
}

TEST(AnimationSettingsTest, KnownFieldsAtTheirOffsetsAndTheRestKept)
{
    AnimationSettings settings;
    EXPECT_EQ(settings.Keys, 100);
    EXPECT_EQ(settings.KeysPerSecond, 10.0f);
    settings.Keys = 250;
    settings.KeysPerSecond = 24.0f;
    settings.viewportDetail = 3;
    settings.viewportShading = 7;
    settings.reservedA[5] = 0xAB;
    EXPECT_EQ(readAt<std::int32_t>(&settings, 0), 250);
    EXPECT_EQ(readAt<float>(&settings, 4), 24.0f);
    EXPECT_EQ(readAt<std::int32_t>(&settings, 8), 3);
    EXPECT_EQ(readAt<std::int32_t>(&settings, 52), 7);
    const AnimationSettings copy = settings;
    EXPECT_EQ(std::memcmp(&copy, &settings, sizeof settings), 0);
}

struct Item
{
    int id;
};

TEST(CollectionTest, ItemsByPositionFromOneAndByKey)
{
    Collection<Item> items;
    items.Add(std::make_shared<Item>(Item{1}), QStringLiteral("110"));
    items.Add(std::make_shared<Item>(Item{2}));
    items.Add(std::make_shared<Item>(Item{3}), QStringLiteral("310"));

    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(1)->id, 1);
    EXPECT_EQ(items.Item(3)->id, 3);
    EXPECT_EQ(items.Item(QStringLiteral("310"))->id, 3);
    EXPECT_EQ(items.find(QStringLiteral("999")), nullptr);

    for (int bad : {0, 4, -1}) {
        try {
            items.Item(bad);
            ADD_FAILURE() << "index " << bad << " was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidProcedureCall);
        }
    }
    EXPECT_THROW(items.Item(QStringLiteral("999")), Error);
    EXPECT_THROW(items.Add(std::make_shared<Item>(Item{4}), QStringLiteral("110")), Error);
    EXPECT_EQ(items.Count(), 3) << "a refused add changes nothing";

    // Removing shifts later items and keeps their keys working.
    items.Remove(QStringLiteral("110"));
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(1)->id, 2);
    EXPECT_EQ(items.Item(QStringLiteral("310"))->id, 3);

    int sum = 0;
    for (const auto& item : items)
        sum += item->id;
    EXPECT_EQ(sum, 5);
}

TEST(ErrorRuleTest, PassOnKeepsNumberAndDescriptionAndNamesThePanel)
{
    try {
        passOn([] {
            throw Error(ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid"),
                        QStringLiteral("TrackBar"));
        });
        ADD_FAILURE() << "nothing was passed on";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 380);
        EXPECT_EQ(e.description(), QStringLiteral("Invalid"));
        EXPECT_EQ(e.source(), QStringLiteral("AnimationPanel"));
    }

    // Foreign exceptions become errors too, so a host sees one type only.
    try {
        passOn([] { throw std::runtime_error("disk on fire"); });
        ADD_FAILURE() << "nothing was passed on";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Internal);
        EXPECT_EQ(e.description(), QStringLiteral("disk on fire"));
        EXPECT_EQ(e.source(), QStringLiteral("AnimationPanel"));
    }

    EXPECT_EQ(passOn([] { return 42; }), 42);
}

TEST(ErrorRuleTest, HandlersEndQuietlyAndKeepWhatWasDone)
{
    int steps = 0;
    endQuietly([&] {
        ++steps;
        throw Error(ErrorNumber::DivisionByZero, QStringLiteral("Division by zero"));
        ++steps; // never reached
    });
    EXPECT_EQ(steps, 1);

    EXPECT_FALSE(ignoreFailure([] { throw Error::typeMismatch(); }));
    EXPECT_TRUE(ignoreFailure([] {}));
}

} // namespace
} // namespace vellum::outside
