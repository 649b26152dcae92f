#include "Collection.h"
#include "ErrorNumber.h"
#include "ErrorRule.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace vellum::outside {
namespace {

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

    for (int bad : {0, 4, -1})
        EXPECT_EQ(testing::errorNumberOf([&] { items.Item(bad); }),
                  ErrorNumber::InvalidProcedureCall)
            << bad;
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

// Errors passed on are swept with every operation; foreign exceptions must become errors too,
// so that a host sees one type only.
TEST(ErrorRuleTest, PassOnTurnsForeignExceptionsIntoErrorsOfThePanel)
{
    try {
        passOn([] { throw std::runtime_error("disk on fire"); });
        ADD_FAILURE() << "nothing was passed on";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Internal);
        EXPECT_EQ(e.description(), QStringLiteral("disk on fire"));
        EXPECT_EQ(e.source(), QStringLiteral("AnimationPanel"));
    }

    EXPECT_EQ(passOn([] { return 42; }), 42);
    EXPECT_FALSE(ignoreFailure([] { throw Error::typeMismatch(); }));
    EXPECT_TRUE(ignoreFailure([] {}));
}

QList<QtMsgType> logged;

// A refusal ends a handler many times a second in normal use; only a fault may be heard.
TEST(ErrorRuleTest, OnlyFaultsThatEndAHandlerAreLogged)
{
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString&) { logged.append(type); });
    endQuietly([] { throw Error(ErrorNumber::SubscriptOutOfRange, QStringLiteral("refused")); });
    endQuietly([] { throw Error::invalidPropertyValue(); });
    EXPECT_TRUE(logged.isEmpty());
    endQuietly([] { throw std::runtime_error("broken"); });
    qInstallMessageHandler(previous);
    EXPECT_EQ(logged, QList<QtMsgType>{QtWarningMsg});
}

} // namespace
} // namespace vellum::outside
