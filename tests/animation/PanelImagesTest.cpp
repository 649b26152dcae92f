#include "PanelImages.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <gtest/gtest.h>

namespace vellum::animation {
namespace {

const QStringList& allNames()
{
    static const QStringList names =
        QStringLiteral(
            "chkAnimate cmdAnimationProperties chkAnimationTimeline cmdResetAll cmdReset "
            "optKeyFrameType_0 optKeyFrameType_1 optKeyFrameType_2 optKeyFrameOperationType_0 "
            "optKeyFrameOperationType_1 optKeyFrameOperationType_2 chkRepeat chkRepeatOperation "
            "cmdCopyKeyFrameBackward cmdCopyKeyFrameForward cmdCopyKeyFrameOperationBackward "
            "cmdCopyKeyFrameOperationForward cmdStart cmdStepBack cmdPlay cmdStop cmdStepForward "
            "cmdEnd chkAutoRepeat cmdPlayFullScreen cmdPlayGhost cmdRecord cmdSequenceRename "
            "cmdSequenceAdd cmdSequenceDelete cmdSequenceRetrieve cmdAnimationTimelineLess "
            "cmdAnimationTimelineMore cmdTimelineKeyframeDelete KeyFrame KeyFrameSegmentStart "
            "Group Closed Open Camera Light")
            .split(u' ');
    return names;
}

QImage render(const QString& name, int sizePx, QIcon::Mode mode = QIcon::Normal)
{
    return panelImage(name)
        .pixmap(QSize(sizePx, sizePx), 1.0, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    return count;
}

QColor centreOf(const QImage& image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(PanelImagesTest, EveryButtonHasADrawnPictureAtSmallAndLargeSizes)
{
    for (const QString& name : allNames()) {
        SCOPED_TRACE(name.toStdString());
        const QIcon icon = panelImage(name);
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(panelImage(name).cacheKey(), icon.cacheKey()) << "drawn once";
        for (int sizePx : {16, 20, 24, 32, 40, 48})
            EXPECT_TRUE(icon.availableSizes().contains(QSize(sizePx, sizePx))) << sizePx << " px";
        for (int sizePx : {16, 48}) {
            const QImage image = render(name, sizePx);
            EXPECT_EQ(image.size(), QSize(sizePx, sizePx));
            EXPECT_GT(opaquePixels(image), 0) << "blank at " << sizePx << " px";
            EXPECT_LT(opaquePixels(image), sizePx * sizePx) << "no transparent background";
        }
        EXPECT_GT(opaquePixels(render(name, 48)), 4 * opaquePixels(render(name, 16)))
            << "each size is drawn for its own pixel grid";
    }
    EXPECT_NE(panelImage(QStringLiteral("cmdPlay")).cacheKey(),
              panelImage(QStringLiteral("cmdStop")).cacheKey());
    EXPECT_TRUE(panelImage(QStringLiteral("cmdNoSuchButton")).isNull());
    EXPECT_TRUE(panelImage(QString()).isNull());
    EXPECT_TRUE(panelImage(QStringLiteral("cmdplay")).isNull()) << "names are case-sensitive";
}

// A picture scaled from another size would smear its straight edges over partly covered pixels.
TEST(PanelImagesTest, StraightEdgesFallOnWholePixelsAtEverySize)
{
    for (int sizePx : {16, 20, 24, 32, 40, 48}) {
        SCOPED_TRACE(sizePx);
        const QImage stop = render(QStringLiteral("cmdStop"), sizePx);
        int partial = 0;
        for (int y = 0; y < sizePx; ++y)
            for (int x = 0; x < sizePx; ++x)
                partial += qAlpha(stop.pixel(x, y)) > 25 && qAlpha(stop.pixel(x, y)) < 230 ? 1 : 0;
        // Only the rounded corners may be soft; a smeared square has a soft ring all round.
        EXPECT_LE(partial, 4 * (sizePx / 8 + 2));
        EXPECT_GT(opaquePixels(stop), sizePx * sizePx / 5);
    }
}

TEST(PanelImagesTest, PlayIsGreenRecordIsRedKeyGroupsDifferAndDisabledPicturesAreGrey)
{
    const QColor play = centreOf(render(QStringLiteral("cmdPlay"), 16));
    EXPECT_GT(play.alpha(), 200);
    EXPECT_GT(play.green(), std::max(play.red(), play.blue()) + 40);
    const QColor record = centreOf(render(QStringLiteral("cmdRecord"), 16));
    EXPECT_GT(record.alpha(), 200);
    EXPECT_GT(record.red(), std::max(record.green(), record.blue()) + 80);
    const QColor component = centreOf(render(QStringLiteral("optKeyFrameType_1"), 24));
    const QColor operation = centreOf(render(QStringLiteral("optKeyFrameOperationType_1"), 24));
    EXPECT_GT(component.red(), component.blue() + 80) << "component keys are warm";
    EXPECT_GT(operation.blue(), operation.red() + 80) << "operation keys are cool";

    for (const char* name : {"cmdPlay", "cmdRecord", "cmdStop"}) {
        const QColor normal = centreOf(render(QLatin1String(name), 24));
        const QColor disabled = centreOf(render(QLatin1String(name), 24, QIcon::Disabled));
        EXPECT_GT(disabled.alpha(), 0) << name;
        EXPECT_GT(disabled.lightness(), normal.lightness()) << name;
        EXPECT_LT(disabled.hslSaturation(), normal.hslSaturation() / 2 + 1) << name;
    }
}

} // namespace
} // namespace vellum::animation
