#include "PanelImages.h"

#include "PanelGlyphs.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <array>

namespace vellum::animation {

namespace {

using namespace glyphs;

using Draw = void (*)(const Canvas&);

struct Picture
{
    QLatin1StringView name;
    Draw draw;
};

const QColor& key(const Canvas& c)
{
    return c.palette().key;
}

const QColor& operation(const Canvas& c)
{
    return c.palette().operation;
}

constexpr std::array Pictures{
    Picture{QLatin1StringView("chkAnimate"), animate},
    Picture{QLatin1StringView("cmdAnimationProperties"), gear},
    Picture{QLatin1StringView("chkAnimationTimeline"),
            [](const Canvas& c) { timeline(c, TimelineBadge::Key); }},
    Picture{QLatin1StringView("cmdResetAll"), [](const Canvas& c) { reset(c, true); }},
    Picture{QLatin1StringView("cmdReset"), [](const Canvas& c) { reset(c, false); }},
    Picture{QLatin1StringView("optKeyFrameType_0"),
            [](const Canvas& c) { keyFrame(c, key(c), KeyStyle::None); }},
    Picture{QLatin1StringView("optKeyFrameType_1"),
            [](const Canvas& c) { keyFrame(c, key(c), KeyStyle::Key); }},
    Picture{QLatin1StringView("optKeyFrameType_2"),
            [](const Canvas& c) { keyFrame(c, key(c), KeyStyle::SegmentStart); }},
    Picture{QLatin1StringView("optKeyFrameOperationType_0"),
            [](const Canvas& c) { keyFrame(c, operation(c), KeyStyle::None); }},
    Picture{QLatin1StringView("optKeyFrameOperationType_1"),
            [](const Canvas& c) { keyFrame(c, operation(c), KeyStyle::Key); }},
    Picture{QLatin1StringView("optKeyFrameOperationType_2"),
            [](const Canvas& c) { keyFrame(c, operation(c), KeyStyle::SegmentStart); }},
    Picture{QLatin1StringView("chkRepeat"), [](const Canvas& c) { repeatLoop(c, key(c)); }},
    Picture{QLatin1StringView("chkRepeatOperation"),
            [](const Canvas& c) { repeatLoop(c, operation(c)); }},
    Picture{QLatin1StringView("cmdCopyKeyFrameBackward"),
            [](const Canvas& c) { copyKeyFrame(c, key(c), false); }},
    Picture{QLatin1StringView("cmdCopyKeyFrameForward"),
            [](const Canvas& c) { copyKeyFrame(c, key(c), true); }},
    Picture{QLatin1StringView("cmdCopyKeyFrameOperationBackward"),
            [](const Canvas& c) { copyKeyFrame(c, operation(c), false); }},
    Picture{QLatin1StringView("cmdCopyKeyFrameOperationForward"),
            [](const Canvas& c) { copyKeyFrame(c, operation(c), true); }},
    Picture{QLatin1StringView("cmdStart"), [](const Canvas& c) { transport(c, Transport::Start); }},
    Picture{QLatin1StringView("cmdStepBack"),
            [](const Canvas& c) { transport(c, Transport::StepBack); }},
    Picture{QLatin1StringView("cmdPlay"), [](const Canvas& c) { transport(c, Transport::Play); }},
    Picture{QLatin1StringView("cmdStop"), [](const Canvas& c) { transport(c, Transport::Stop); }},
    Picture{QLatin1StringView("cmdStepForward"),
            [](const Canvas& c) { transport(c, Transport::StepForward); }},
    Picture{QLatin1StringView("cmdEnd"), [](const Canvas& c) { transport(c, Transport::End); }},
    Picture{QLatin1StringView("chkAutoRepeat"), autoRepeat},
    Picture{QLatin1StringView("cmdPlayFullScreen"), fullScreen},
    Picture{QLatin1StringView("cmdPlayGhost"), ghost},
    Picture{QLatin1StringView("cmdRecord"), record},
    Picture{QLatin1StringView("cmdSequenceRename"), rename},
    Picture{QLatin1StringView("cmdSequenceAdd"), [](const Canvas& c) { sign(c, Sign::Plus); }},
    Picture{QLatin1StringView("cmdSequenceDelete"), [](const Canvas& c) { sign(c, Sign::Cross); }},
    Picture{QLatin1StringView("cmdSequenceRetrieve"), appendSequence},
    Picture{QLatin1StringView("cmdAnimationTimelineLess"),
            [](const Canvas& c) { timeline(c, TimelineBadge::Less); }},
    Picture{QLatin1StringView("cmdAnimationTimelineMore"),
            [](const Canvas& c) { timeline(c, TimelineBadge::More); }},
    Picture{QLatin1StringView("cmdTimelineKeyframeDelete"), deleteKeyFrames},
    // Pictures of the timeline grid's cells.
    Picture{QLatin1StringView("KeyFrame"),
            [](const Canvas& c) { keyFrame(c, key(c), KeyStyle::Key); }},
    Picture{QLatin1StringView("KeyFrameSegmentStart"),
            [](const Canvas& c) { keyFrame(c, key(c), KeyStyle::SegmentStart); }},
    Picture{QLatin1StringView("Group"), group},
    Picture{QLatin1StringView("Closed"), closedPath},
    Picture{QLatin1StringView("Open"), openPath},
    Picture{QLatin1StringView("Camera"), camera},
    Picture{QLatin1StringView("Light"), light},
};

// Each size is drawn on its own rather than scaled, so thin strokes stay on whole pixels.
constexpr std::array SizesPx{16, 20, 24, 32, 40, 48};

QPixmap render(Draw draw, int sizePx, const Palette& palette)
{
    QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        draw(Canvas(painter, sizePx, palette));
    }
    return QPixmap::fromImage(std::move(image));
}

QIcon build(Draw draw)
{
    const Palette normal = Palette::normal();
    const Palette disabled = Palette::disabled();
    QIcon icon;
    for (int sizePx : SizesPx) {
        icon.addPixmap(render(draw, sizePx, normal), QIcon::Normal);
        icon.addPixmap(render(draw, sizePx, disabled), QIcon::Disabled);
    }
    return icon;
}

QHash<QString, QIcon>& cache()
{
    static QHash<QString, QIcon> icons;
    static const bool clearedWithApplication = [] {
        // Pixmaps must not outlive the application object.
        qAddPostRoutine([] { icons.clear(); });
        return true;
    }();
    Q_UNUSED(clearedWithApplication);
    return icons;
}

} // namespace

QIcon panelImage(const QString& name)
{
    QHash<QString, QIcon>& icons = cache();
    if (const auto found = icons.constFind(name); found != icons.constEnd())
        return found.value();
    for (const Picture& picture : Pictures) {
        if (picture.name == name)
            return icons.insert(name, build(picture.draw)).value();
    }
    return {};
}

} // namespace vellum::animation
