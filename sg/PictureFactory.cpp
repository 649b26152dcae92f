#include "PictureFactory.h"

#include "SceneGraph.h"
#include "SgError.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

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
    QImage picture(wanted.size(), QImage::Format_RGB32);
    picture.fill(Qt::black);

    bool covered = false;
    QPainter painter(&picture);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || widget->isMinimized())
            continue;
        const QRect area = clientRect(widget);
        if (!area.intersects(wanted))
            continue;
        painter.drawPixmap(area.topLeft() - wanted.topLeft(), widget->grab());
        covered = true;
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
