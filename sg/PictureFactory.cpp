#include "PictureFactory.h"

#include "SceneGraph.h"
#include "SgError.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace vellum::sg {

namespace {

bool hasRealScreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal") &&
           QGuiApplication::primaryScreen() != nullptr;
}

QRect clientRect(const QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// One window in front covers the whole rectangle: its own pixels are the picture, with no
// black background to fill and no second copy to paint.
QImage grabbedPicture(QWidget& window, const QRect& wanted)
{
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    QImage picture = window.grab(wanted.translated(-origin)).toImage();
    if (picture.format() != QImage::Format_RGB32)
        picture.convertTo(QImage::Format_RGB32);
    return picture;
}

} // namespace

PictureFactory::PictureFactory(SceneGraph* sceneGraph) : m_sceneGraph(sceneGraph) {}

void PictureFactory::MaximumDimensions(std::int32_t& left, std::int32_t& top, std::int32_t& width,
                                       std::int32_t& height)
{
    if (!m_sceneGraph)
        throw objectRequired();
    const QRect area = m_sceneGraph->renderingRectangle();
    left = area.left();
    top = area.top();
    width = area.width();
    height = area.height();
}

QImage PictureFactory::CreateOffscreenPicture(std::int32_t x, std::int32_t y, std::int32_t width,
                                              std::int32_t height, std::int32_t)
{
    if (width <= 0 || height <= 0)
        throw Error::invalidPropertyValue();
    const QRect wanted(x, y, width, height);

    std::vector<QWidget*> covering;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && !widget->isMinimized() && clientRect(widget).intersects(wanted))
            covering.push_back(widget);
    // Without a window manager to ask, smaller windows stand in front of larger ones: a tool
    // window over the main window. Windows under one that covers the whole rectangle cannot show.
    const auto area = [](const QWidget* w) { return qint64(w->width()) * w->height(); };
    std::stable_sort(covering.begin(), covering.end(),
                     [&](const QWidget* a, const QWidget* b) { return area(a) > area(b); });
    if (!covering.empty() && clientRect(covering.back()).contains(wanted))
        return grabbedPicture(*covering.back(), wanted);
    auto first = covering.begin();
    for (auto it = covering.begin(); it != covering.end(); ++it)
        if (clientRect(*it).contains(wanted))
            first = it;

    const bool covered = first != covering.end();
    QImage picture(wanted.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    for (auto it = first; it != covering.end(); ++it) {
        const QRect shown = clientRect(*it).intersected(wanted);
        const QPoint origin = (*it)->mapToGlobal(QPoint(0, 0));
        painter.drawPixmap(shown.topLeft() - wanted.topLeft(),
                           (*it)->grab(shown.translated(-origin)));
    }
    painter.end();

    if (!covered && hasRealScreen())
        if (QScreen* screen = QGuiApplication::screenAt(wanted.topLeft()))
            return screen
                ->grabWindow(0, x - screen->geometry().x(), y - screen->geometry().y(), width,
                             height)
                .toImage();
    return picture;
}

} // namespace vellum::sg
