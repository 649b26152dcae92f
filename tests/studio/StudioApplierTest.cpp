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
    bool scale, colour, spin, stretch; // Check1 .. Check4
};

class ApplierChecks : public ::testing::TestWithParam<CheckRow>
{};

TEST_P(ApplierChecks, AnswerForTheirOwnTypeOnWhatShowsIt)
{
    const CheckRow& row = GetParam();
    StudioApplier applier;
    const outside::OperationEntry entry{row.type, row.targetKind, outside::LoopClosed};
    EXPECT_EQ(applier.OperationCheck1(entry), row.scale);
    EXPECT_EQ(applier.OperationCheck2(entry), row.colour);
    EXPECT_EQ(applier.OperationCheck3(entry), row.spin);
    EXPECT_EQ(applier.OperationCheck4(entry), row.stretch);
}

using namespace sg;

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplierChecks,
    ::testing::Values(
        CheckRow{"ScaleOnSphere", OperationType::Scale, ShapeKind::Sphere, true, false, false,
                 false},
        CheckRow{"ScaleUnbound", OperationType::Scale, 0, false, false, false, false},
        CheckRow{"ColourOnPlane", OperationType::Colour, ShapeKind::Plane, false, true, false,
                 false},
        CheckRow{"ColourOnLight", OperationType::Colour, ShapeKind::LightMarker, false, false,
                 false, false},
        CheckRow{"SpinOnBox", OperationType::Spin, ShapeKind::Box, false, false, true, false},
        CheckRow{"SpinOnPlane", OperationType::Spin, ShapeKind::Plane, false, false, true, false},
        CheckRow{"SpinOnSphere", OperationType::Spin, ShapeKind::Sphere, false, false, false,
                 false},
        CheckRow{"SpinOnComponent", OperationType::Spin, ShapeKind::OperationMarker, false, false,
                 false, false},
        CheckRow{"StretchOnCylinder", OperationType::Stretch, ShapeKind::Cylinder, false, false,
                 false, true},
        CheckRow{"UnknownType", 7, ShapeKind::Box, false, false, false, false}),
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
