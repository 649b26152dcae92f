// Seeded mutations of the saved demo scene: every mutant opens or is refused, and an opened one
// can be posed over its whole length. Run under the sanitizers, this finds what a reader lets
// through that the scene graph cannot hold.
#include "DemoScene.h"

#include <Error.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sg/ApplicationState.h>
#include <sg/Group.h>
#include <sg/Scene.h>
#include <sg/SceneGraph.h>

namespace vellum::testing {
namespace {

using Random = std::mt19937;

// The value with leaf number `leaf` (in document order) replaced; an undefined replacement
// removes the member or item.
QJsonValue replaceLeaf(const QJsonValue& value, int& leaf, const QJsonValue& replacement)
{
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (const QString& key : object.keys()) {
            const QJsonValue changed = replaceLeaf(object.value(key), leaf, replacement);
            if (changed.isUndefined())
                object.remove(key);
            else
                object.insert(key, changed);
            if (leaf < 0)
                break;
        }
        return object;
    }
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size() && leaf >= 0; ++i) {
            const QJsonValue changed = replaceLeaf(array.at(i), leaf, replacement);
            if (changed.isUndefined())
                array.removeAt(i);
            else
                array.replace(i, changed);
        }
        return array;
    }
    return leaf-- == 0 ? replacement : value;
}

// Counted as the leaves a replacement past the last one passes.
int leafCount(const QJsonValue& value)
{
    int leaf = std::numeric_limits<int>::max();
    replaceLeaf(value, leaf, {});
    return std::numeric_limits<int>::max() - leaf;
}

// Numbers at and beyond every limit, other types, and removal.
QJsonValue oddValue(Random& random)
{
    static const double numbers[] = {
        -1, 0, 0.5, 9999, 10000, 99999999, 2147483647.0, -2147483648.0, 1e308, -1e308, 1e-300};
    static const QJsonValue others[] = {
        QStringLiteral("x"), true,          QJsonValue(QJsonValue::Null),
        QJsonArray(),        QJsonObject(), QJsonValue(QJsonValue::Undefined)};
    const auto pick = random() % (std::size(numbers) + std::size(others));
    return pick < std::size(numbers) ? QJsonValue(numbers[pick])
                                     : others[pick - std::size(numbers)];
}

QByteArray mutant(const QJsonObject& demo, Random& random)
{
    QJsonValue tree = demo;
    const int edits = 1 + int(random() % 3);
    for (int edit = 0; edit < edits; ++edit) {
        int leaf = int(random() % unsigned(leafCount(tree)));
        tree = replaceLeaf(tree, leaf, oddValue(random));
    }
    QByteArray bytes = QJsonDocument(tree.toObject()).toJson(QJsonDocument::Compact);
    if (random() % 4 == 0) // and now and then a damaged byte for the parser
        bytes[qsizetype(random() % unsigned(bytes.size()))] = char(random() % 128);
    return bytes;
}

TEST(SceneFileFuzz, EveryMutantOfTheDemoOpensOrIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString demoPath = dir.filePath(QStringLiteral("demo.json"));
    const QString mutantPath = dir.filePath(QStringLiteral("mutant.json"));
    {
        sg::SceneGraph graph;
        studio::loadDemoScene(graph);
        graph.saveScene(demoPath);
    }
    QFile demoFile(demoPath);
    ASSERT_TRUE(demoFile.open(QIODevice::ReadOnly));
    const QJsonObject demo = QJsonDocument::fromJson(demoFile.readAll()).object();
    ASSERT_FALSE(demo.isEmpty());

    Random random(20261206);
    int opened = 0;
    int refused = 0;
    for (int n = 0; n < 300; ++n) {
        const QByteArray bytes = mutant(demo, random);
        QFile out(mutantPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();
        sg::SceneGraph graph;
        try {
            graph.openScene(mutantPath);
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue)
                << error.description().toStdString() << "\n"
                << bytes.toStdString();
            ++refused;
            continue;
        }
        ++opened;
        const std::int32_t keys = graph.applicationState()->AnimationSettings().Keys;
        for (const auto& group : graph.scene()->groupList())
            for (const float frame : {0.0f, keys / 2.0f, float(keys)})
                group->ApplyFrame(frame);
    }
    std::cout << "scene file fuzz: " << opened << " opened, " << refused << " refused\n";
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace vellum::testing
