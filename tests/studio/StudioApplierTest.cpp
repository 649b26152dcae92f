// Which operations the studio can key on which shapes, and the pictures of their rows.
#include "StudioApplier.h"

#include <gtest/gtest.h>
#include <outside/KeyRecord.h>
#include <sg/OperationType.h>
#include <sg/ShapeKind.h>

using namespace vellum;
using namespace vellum::studio;

namespace {

struct CheckRow
{
    const char* name;
    int type;
    int targetKind;
    const char* answers; // Check1 .. Check4 as 1 or 0
};

class ApplierChecks : public ::testing::TestWithParam<CheckRow>
{};

TEST_P(ApplierChecks, AnswerForTheirOwnTypeOnWhatShowsIt)
{
    const CheckRow& row = GetParam();
    StudioApplier applier;
    const outside::OperationEntry entry{row.type, row.targetKind, outside::LoopClosed};
    const QString answers = QString::number(applier.OperationCheck1(entry)) +
                            QString::number(applier.OperationCheck2(entry)) +
                            QString::number(applier.OperationCheck3(entry)) +
                            QString::number(applier.OperationCheck4(entry));
    EXPECT_EQ(answers, QLatin1String(row.answers));
}

using namespace sg;

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplierChecks,
    ::testing::Values(
        CheckRow{"ScaleOnSphere", OperationType::Scale, ShapeKind::Sphere, "1000"},
        CheckRow{"ScaleUnbound", OperationType::Scale, 0, "0000"},
        CheckRow{"ColourOnPlane", OperationType::Colour, ShapeKind::Plane, "0100"},
        CheckRow{"ColourOnLight", OperationType::Colour, ShapeKind::LightMarker, "0000"},
        CheckRow{"SpinOnBox", OperationType::Spin, ShapeKind::Box, "0010"},
        CheckRow{"SpinOnPlane", OperationType::Spin, ShapeKind::Plane, "0010"},
        CheckRow{"SpinOnSphere", OperationType::Spin, ShapeKind::Sphere, "0000"},
        CheckRow{"SpinOnComponent", OperationType::Spin, ShapeKind::OperationMarker, "0000"},
        CheckRow{"StretchOnCylinder", OperationType::Stretch, ShapeKind::Cylinder, "0001"},
        CheckRow{"UnknownType", 7, ShapeKind::Box, "0000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplierPictures, AreDistinctSixteenSquareForKnownTypesOnly)
{
    StudioApplier applier;
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
