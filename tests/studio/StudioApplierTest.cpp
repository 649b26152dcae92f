// Which operations the studio can key on which shapes, and the pictures of their rows.
#include "StudioApplier.h"

#include <gtest/gtest.h>
#include <outside/KeyRecord.h>
#include <sg/OperationType.h>
#include <sg/ShapeKind.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

using namespace sg;

TEST(StudioApplier, ChecksAnswerForTheirOwnTypeOnWhatShowsItAndEachTypeHasItsPicture)
{
    StudioApplier applier;
    // Type, target kind, then Check1 .. Check4 as 1 or 0.
    const std::tuple<int, int, const char*> rows[] = {
        {OperationType::Scale, ShapeKind::Sphere, "1000"},
        {OperationType::Scale, 0, "0000"}, // unbound
        {OperationType::Colour, ShapeKind::Plane, "0100"},
        {OperationType::Colour, ShapeKind::LightMarker, "0000"},
        {OperationType::Spin, ShapeKind::Box, "0010"},
        {OperationType::Spin, ShapeKind::Plane, "0010"},
        {OperationType::Spin, ShapeKind::Sphere, "0000"},
        {OperationType::Spin, ShapeKind::OperationMarker, "0000"},
        {OperationType::Stretch, ShapeKind::Cylinder, "0001"},
        {7, ShapeKind::Box, "0000"}, // no such type
    };
    for (const auto& [type, targetKind, expected] : rows) {
        const outside::OperationEntry entry{type, targetKind, outside::LoopClosed};
        const QString answers = QString::number(applier.OperationCheck1(entry)) +
                                QString::number(applier.OperationCheck2(entry)) +
                                QString::number(applier.OperationCheck3(entry)) +
                                QString::number(applier.OperationCheck4(entry));
        EXPECT_EQ(answers, QLatin1String(expected)) << type << " on " << targetKind;
    }

    // The rows' pictures: distinct, 16 pixels square, for known types only.
    QList<QImage> pictures;
    for (int type = OperationType::Scale; type <= OperationType::Stretch; ++type) {
        const QImage picture = applier.OperationPicture(type);
        ASSERT_EQ(picture.size(), QSize(16, 16)) << type;
        int inked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                inked += qAlpha(picture.pixel(x, y)) > 128;
        EXPECT_GT(inked, 12) << "type " << type << " draws next to nothing";
        EXPECT_LT(inked, 16 * 16 / 2) << "type " << type << " is a blot";
        for (const QImage& earlier : pictures)
            EXPECT_NE(picture, earlier) << type;
        pictures.append(picture);
    }
    EXPECT_TRUE(applier.OperationPicture(0).isNull());
    EXPECT_TRUE(applier.OperationPicture(5).isNull());
}

} // namespace
