#include "OperationPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <sg/OperationType.h>

namespace vellum::studio {

namespace {

constexpr int pictureSize = 16;
const QColor ink(40, 40, 48);

// An arrow head with its tip at tip, pointing along a unit step.
void arrowHead(QPainter& painter, QPointF tip, QPointF along)
{
    const QPointF side(-along.y(), along.x());
    const QPointF back = tip - along * 3.0;
    painter.drawPolygon(QPolygonF{tip, back + side * 2.5, back - side * 2.5});
}

void drawScale(QPainter& painter)
{
    // Four arrows out of a small square; diagonals stay sharp without smoothing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(QRectF(6.5, 6.5, 3, 3));
    const QPointF corners[] = {{1.5, 1.5}, {14.5, 1.5}, {14.5, 14.5}, {1.5, 14.5}};
    for (const QPointF& corner : corners) {
        const QPointF from(corner.x() < 8 ? 5.5 : 10.5, corner.y() < 8 ? 5.5 : 10.5);
        const QPointF along = (corner - from) / std::sqrt(2.0 * 16.0);
        painter.drawLine(from, corner - along * 2.0);
        arrowHead(painter, corner, along);
    }
}

void drawColour(QPainter& painter)
{
    // A circle, its right half filled.
    const QRectF disc(2.5, 2.5, 11, 11);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);
    QPainterPath half;
    half.moveTo(disc.center());
    half.arcTo(disc, -90, 180);
    half.closeSubpath();
    painter.setBrush(QColor(220, 60, 60));
    painter.drawPath(half);
}

void drawSpin(QPainter& painter)
{
    // Three quarters of a circle with an arrow at its end.
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 270 * 16);
    painter.setBrush(ink);
    arrowHead(painter, QPointF(11.5, 2.5), QPointF(1, 0));
}

void drawStretch(QPainter& painter)
{
    // A vertical double arrow.
    painter.drawLine(QPointF(8, 4), QPointF(8, 12));
    arrowHead(painter, QPointF(8, 1), QPointF(0, -1));
    arrowHead(painter, QPointF(8, 15), QPointF(0, 1));
}

} // namespace

QImage operationPicture(int type)
{
    if (!sg::isKnownOperationType(type))
        return {};
    QImage picture(pictureSize, pictureSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1.0));
    painter.setBrush(ink);
    switch (type) {
    case sg::OperationType::Scale:
        drawScale(painter);
        break;
    case sg::OperationType::Colour:
        drawColour(painter);
        break;
    case sg::OperationType::Spin:
        drawSpin(painter);
        break;
    default:
        drawStretch(painter);
        break;
    }
    return picture;
}

} // namespace vellum::studio
