#include "PanelGlyphs.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace vellum::animation::glyphs {

Palette Palette::normal()
{
    return {QColor(0x2b, 0x34, 0x40), QColor(0xe0, 0xa0, 0x20), QColor(0x1c, 0x9a, 0xa0),
            QColor(0xd0, 0x30, 0x30), QColor(0x2f, 0x9e, 0x44)};
}

// Disabled glyphs keep their shapes but lose their colour, so a greyed panel stays calm.
Palette Palette::disabled()
{
    const QColor ink(0xa4, 0xab, 0xb4);
    const QColor accent(0xc0, 0xc5, 0xcb);
    return {ink, accent, accent, accent, accent};
}

namespace {

// Half-pixel steps keep the 16 px stroke at 1.5 px and larger sizes proportional.
qreal roundToHalf(qreal px)
{
    return std::max<qreal>(1, std::round(px * 2) / 2);
}

} // namespace

Canvas::Canvas(QPainter& painter, int sizePx, const Palette& palette)
    : m_painter(painter), m_palette(palette), m_pxPerUnit(sizePx / Units),
      m_strokePx(std::max<qreal>(1.5, roundToHalf(sizePx * 1.5 / 16)))
{
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.scale(m_pxPerUnit, m_pxPerUnit);
}

QPen Canvas::pen(const QColor& colour, qreal strokeFactor) const
{
    QPen result(colour, roundToHalf(m_strokePx * strokeFactor) / m_pxPerUnit);
    result.setCapStyle(Qt::RoundCap);
    result.setJoinStyle(Qt::RoundJoin);
    return result;
}

qreal Canvas::edge(qreal units) const
{
    return std::round(units * m_pxPerUnit) / m_pxPerUnit;
}

qreal Canvas::line(qreal units, qreal strokeFactor) const
{
    // An odd whole part of the width needs a centre on a half pixel to fill whole pixels.
    const qreal widthPx = roundToHalf(m_strokePx * strokeFactor);
    const qreal offset = static_cast<int>(widthPx) % 2 == 1 ? 0.5 : 0.0;
    return (std::round(units * m_pxPerUnit - offset) + offset) / m_pxPerUnit;
}

QRectF Canvas::box(qreal left, qreal top, qreal right, qreal bottom) const
{
    return QRectF(QPointF(edge(left), edge(top)), QPointF(edge(right), edge(bottom)));
}

void Canvas::knockout(const QPainterPath& shape, qreal gapUnits) const
{
    const qreal gap = gapUnits < 0 ? stroke() : gapUnits;
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Clear);
    m_painter.setBrush(Qt::black);
    if (gap > 0)
        m_painter.setPen(QPen(Qt::black, 2 * gap, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        m_painter.setPen(Qt::NoPen);
    m_painter.drawPath(shape);
    m_painter.restore();
}

namespace {

constexpr QPointF Centre(12, 12);
// Lower than the centre, leaving room for the arrow head at the top.
constexpr QPointF RingCentre(12, 12.5);

void fill(const Canvas& c, const QPainterPath& path, const QColor& colour)
{
    c.painter().fillPath(path, colour);
}

// Filled with slightly rounded corners, which reads softer than sharp polygon tips.
void fillSoft(const Canvas& c, const QPolygonF& polygon, const QColor& colour)
{
    c.painter().setPen(c.pen(colour, 0.6));
    c.painter().setBrush(colour);
    c.painter().drawPolygon(polygon);
}

void strokePath(const Canvas& c, const QPainterPath& path, const QColor& colour,
                qreal strokeFactor = 1)
{
    c.painter().strokePath(path, c.pen(colour, strokeFactor));
}

QPainterPath diamondPath(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addPolygon(QPolygonF{centre + QPointF(0, -radius), centre + QPointF(radius, 0),
                              centre + QPointF(0, radius), centre + QPointF(-radius, 0),
                              centre + QPointF(0, -radius)});
    path.closeSubpath();
    return path;
}

QPainterPath circlePath(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// A solid arrow head whose tip is at `tip`, pointing along `degrees` (0 right, 90 down).
QPolygonF arrowHead(QPointF tip, qreal degrees, qreal length, qreal halfWidth)
{
    QTransform t;
    t.translate(tip.x(), tip.y());
    t.rotate(degrees);
    return t.map(
        QPolygonF{QPointF(0, 0), QPointF(-length, -halfWidth), QPointF(-length, halfWidth)});
}

void arrow(const Canvas& c, QPointF from, QPointF tip, const QColor& colour)
{
    const QLineF shaft(tip, from);
    const qreal headLength = 4.5;
    const QPointF shaftEnd = shaft.pointAt(std::min<qreal>(1, (headLength - 0.5) / shaft.length()));
    QPainterPath path(from);
    path.lineTo(shaftEnd);
    strokePath(c, path, colour);
    fillSoft(c, arrowHead(tip, 180 - shaft.angle(), headLength, 3.5), colour);
}

// An arc with a head at its end; angles as QPainterPath::arcTo counts them.
void circularArrow(const Canvas& c, QPointF centre, qreal radius, qreal startDegrees,
                   qreal spanDegrees, const QColor& colour)
{
    const QRectF circle(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    QPainterPath path;
    path.arcMoveTo(circle, startDegrees);
    path.arcTo(circle, startDegrees, spanDegrees);
    strokePath(c, path, colour);

    const qreal end = qDegreesToRadians(startDegrees + spanDegrees);
    const qreal turn = spanDegrees > 0 ? 1 : -1;
    const QPointF travel(-std::sin(end) * turn, -std::cos(end) * turn);
    const qreal headLength = 5;
    const QPointF tip = path.currentPosition() + travel * (headLength * 0.6);
    fillSoft(c,
             arrowHead(tip, qRadiansToDegrees(std::atan2(travel.y(), travel.x())), headLength, 3.6),
             colour);
}

QPainterPath signPath(Sign kind, QPointF centre, qreal half)
{
    QPainterPath path;
    if (kind == Sign::Plus) {
        path.moveTo(centre + QPointF(0, -half));
        path.lineTo(centre + QPointF(0, half));
        path.moveTo(centre + QPointF(-half, 0));
        path.lineTo(centre + QPointF(half, 0));
    } else if (kind == Sign::Minus) {
        path.moveTo(centre + QPointF(-half, 0));
        path.lineTo(centre + QPointF(half, 0));
    } else {
        const qreal d = half * 0.8;
        path.moveTo(centre + QPointF(-d, -d));
        path.lineTo(centre + QPointF(d, d));
        path.moveTo(centre + QPointF(d, -d));
        path.lineTo(centre + QPointF(-d, d));
    }
    return path;
}

QPainterPath strokeOutline(const Canvas& c, const QPainterPath& path)
{
    return QPainterPathStroker(c.pen(Qt::black)).createStroke(path);
}

void badge(const Canvas& c, Sign kind, QPointF centre, qreal half)
{
    const QPainterPath path = signPath(kind, centre, half);
    c.knockout(strokeOutline(c, path));
    strokePath(c, path, c.palette().ink);
}

// Draws the glyph of `draw` left-right mirrored, so paired buttons are exact mirror images.
template <typename Draw> void mirrored(const Canvas& c, Draw draw)
{
    c.painter().save();
    c.painter().translate(Canvas::Units, 0);
    c.painter().scale(-1, 1);
    draw();
    c.painter().restore();
}

// Four corner marks instead of a full outline: a key frame that is not there.
void emptyDiamond(const Canvas& c, QPointF centre, qreal radius, const QColor& colour)
{
    const QPointF corners[] = {centre + QPointF(0, -radius), centre + QPointF(radius, 0),
                               centre + QPointF(0, radius), centre + QPointF(-radius, 0)};
    const qreal arm = 0.3;
    QPainterPath path;
    for (int i = 0; i < 4; ++i) {
        const QPointF corner = corners[i];
        const QPointF previous = corners[(i + 3) % 4];
        const QPointF next = corners[(i + 1) % 4];
        path.moveTo(corner + (previous - corner) * arm);
        path.lineTo(corner);
        path.lineTo(corner + (next - corner) * arm);
    }
    QPen pen = c.pen(colour);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    c.painter().strokePath(path, pen);
}

void startBar(const Canvas& c)
{
    c.painter().fillRect(c.box(3.5, 4, 6.5, 20), c.palette().ink);
}

} // namespace

void keyFrame(const Canvas& c, const QColor& accent, KeyStyle style)
{
    switch (style) {
    case KeyStyle::None:
        emptyDiamond(c, Centre, 8, accent);
        break;
    case KeyStyle::Key:
        fill(c, diamondPath(Centre, 8.5), accent);
        break;
    case KeyStyle::SegmentStart:
        startBar(c);
        fill(c, diamondPath(QPointF(14.5, 12), 7.5), accent);
        break;
    }
}

void copyKeyFrame(const Canvas& c, const QColor& accent, bool forward)
{
    const auto draw = [&] {
        const qreal y = c.line(12);
        fill(c, diamondPath(QPointF(7.5, y), 5.5), accent);
        arrow(c, QPointF(13.5, y), QPointF(21.5, y), c.palette().ink);
    };
    if (forward)
        draw();
    else
        mirrored(c, draw);
}

void repeatLoop(const Canvas& c, const QColor& colour)
{
    const qreal top = c.line(7);
    const qreal side = c.line(4.5);
    QPainterPath half(QPointF(side, 13.5));
    half.lineTo(side, top + 3.5);
    half.arcTo(QRectF(side, top, 7, 7), 180, -90);
    half.lineTo(16.5, top);
    for (int turn = 0; turn < 2; ++turn) {
        strokePath(c, half, colour);
        fillSoft(c, arrowHead(QPointF(21, top), 0, 4.5, 3.5), colour);
        c.painter().translate(Centre);
        c.painter().rotate(180);
        c.painter().translate(-Centre);
    }
}

void transport(const Canvas& c, Transport kind)
{
    const QColor& ink = c.palette().ink;
    const qreal top = c.edge(5);
    const qreal bottom = c.edge(19);
    // The backward buttons mirror the forward ones.
    const auto toEnd = [&] {
        fillSoft(c, {QPointF(5, top), QPointF(5, bottom), QPointF(14.5, 12)}, ink);
        c.painter().fillRect(c.box(16, 5, 19, 19), ink);
    };
    const auto stepForward = [&] {
        c.painter().fillRect(c.box(5, 5, 8, 19), ink);
        fillSoft(c,
                 {QPointF(c.edge(10), c.edge(7)), QPointF(c.edge(10), c.edge(17)), QPointF(19, 12)},
                 ink);
    };
    switch (kind) {
    case Transport::Start:
        mirrored(c, toEnd);
        break;
    case Transport::StepBack:
        mirrored(c, stepForward);
        break;
    case Transport::Play:
        fillSoft(c, {QPointF(7.5, top), QPointF(7.5, bottom), QPointF(19.5, 12)}, c.palette().play);
        break;
    case Transport::Stop: {
        QPainterPath square;
        square.addRoundedRect(c.box(5.5, 5.5, 18.5, 18.5), 1.5, 1.5);
        fill(c, square, ink);
        break;
    }
    case Transport::StepForward:
        stepForward();
        break;
    case Transport::End:
        toEnd();
        break;
    }
}

void timeline(const Canvas& c, TimelineBadge badgeKind)
{
    const QColor& ink = c.palette().ink;
    QPainterPath rows;
    if (badgeKind == TimelineBadge::Key) {
        rows.addRoundedRect(
            QRectF(QPointF(c.line(3.5), c.line(4.5)), QPointF(c.line(20.5), c.line(19.5))), 1.5,
            1.5);
        for (qreal y : {9.5, 14.5}) {
            rows.moveTo(c.line(3.5), c.line(y));
            rows.lineTo(c.line(20.5), c.line(y));
        }
        strokePath(c, rows, ink);
        const QPainterPath key = diamondPath(QPointF(14, c.line(12)), 4.5);
        c.knockout(key, c.stroke() * 0.7);
        fill(c, key, c.palette().key);
        return;
    }
    // The badge sits below the last row's height so that a minus never reads as a row.
    for (auto [y, right] : {std::pair{4.0, 20.5}, {9.5, 20.5}, {15.0, 9.5}}) {
        rows.moveTo(c.line(3.5), c.line(y));
        rows.lineTo(c.line(right), c.line(y));
    }
    strokePath(c, rows, ink);
    badge(c, badgeKind == TimelineBadge::More ? Sign::Plus : Sign::Minus,
          QPointF(c.line(16.5), c.line(18.5)), 4);
}

void reset(const Canvas& c, bool allComponents)
{
    const QColor& ink = c.palette().ink;
    circularArrow(c, RingCentre, 8, 200, 265, ink);
    if (!allComponents) {
        c.painter().fillRect(c.box(9, 9.5, 15, 15.5), ink);
        return;
    }
    c.painter().fillRect(c.box(7.5, 8, 12, 12.5), ink);
    c.painter().fillRect(c.box(12, 12.5, 16.5, 17), ink);
}

void sign(const Canvas& c, Sign kind)
{
    strokePath(c, signPath(kind, QPointF(c.line(12, 1.4), c.line(12, 1.4)), 7.5), c.palette().ink,
               1.4);
}

void animate(const Canvas& c)
{
    const QPointF key(15.5, 12);
    const qreal radius = 7;
    fill(c, diamondPath(key, radius), c.palette().key);
    QPainterPath trail;
    for (auto [y, length] : {std::pair{8.0, 4.5}, {12.0, 5.5}, {16.0, 4.5}}) {
        // Each line stops short of the diamond's edge at its height.
        const qreal end = key.x() - (radius - std::abs(y - key.y())) - 2.5;
        trail.moveTo(end - length, c.line(y));
        trail.lineTo(end, c.line(y));
    }
    strokePath(c, trail, c.palette().ink);
}

void gear(const Canvas& c)
{
    const int teeth = 8;
    const qreal outer = 10;
    const qreal root = 7.4;
    QPolygonF rim;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = 360.0 * i / teeth;
        for (auto [radius, offset] :
             {std::pair{root, -15.0}, {outer, -9.0}, {outer, 9.0}, {root, 15.0}}) {
            const qreal t = qDegreesToRadians(a + offset);
            rim << Centre + QPointF(std::cos(t), std::sin(t)) * radius;
        }
    }
    QPainterPath path;
    path.addPolygon(rim);
    path.closeSubpath();
    path.addEllipse(Centre, 3.2, 3.2);
    path.setFillRule(Qt::OddEvenFill);
    fill(c, path, c.palette().ink);
}

void autoRepeat(const Canvas& c)
{
    circularArrow(c, RingCentre, 8, 200, 265, c.palette().ink);
    fillSoft(c, {QPointF(9.5, 8.5), QPointF(9.5, 16.5), QPointF(16, 12.5)}, c.palette().play);
}

void fullScreen(const Canvas& c)
{
    const qreal near = c.line(3.5);
    QPainterPath corner(QPointF(near, 9));
    corner.lineTo(near, near);
    corner.lineTo(9, near);
    for (int quarter = 0; quarter < 4; ++quarter) {
        strokePath(c, corner, c.palette().ink);
        c.painter().translate(Centre);
        c.painter().rotate(90);
        c.painter().translate(-Centre);
    }
    fillSoft(c, {QPointF(9.5, 8.5), QPointF(9.5, 15.5), QPointF(15.5, 12)}, c.palette().play);
}

void ghost(const Canvas& c)
{
    // Older copies fade and sit behind the newer ones.
    for (auto [x, opacity] : {std::pair{6.5, 0.3}, {12.0, 0.6}, {17.5, 1.0}}) {
        const QPainterPath disc = circlePath(QPointF(x, 12), 4.8);
        c.knockout(disc, c.stroke() * 0.6);
        QColor colour = c.palette().ink;
        colour.setAlphaF(opacity);
        fill(c, disc, colour);
    }
}

void record(const Canvas& c)
{
    fill(c, circlePath(Centre, 7.5), c.palette().record);
}

void rename(const Canvas& c)
{
    const QColor& ink = c.palette().ink;
    QPainterPath letter(QPointF(3.5, c.line(4.5)));
    letter.lineTo(14.5, c.line(4.5));
    letter.moveTo(c.line(9), c.line(4.5));
    letter.lineTo(c.line(9), 18);
    strokePath(c, letter, ink);

    // The pencil is built lying along x with its point at the origin, then tilted.
    QPainterPath pencil;
    pencil.addPolygon(QPolygonF{QPointF(0, 0), QPointF(3.5, -2.3), QPointF(3.5, 2.3)});
    pencil.closeSubpath();
    pencil.addRoundedRect(QRectF(QPointF(4.7, -2.3), QPointF(13, 2.3)), 1, 1);
    QTransform tilt;
    tilt.translate(11, 21);
    tilt.rotate(-45);
    pencil = tilt.map(pencil);
    c.knockout(pencil, c.stroke() * 0.8);
    fill(c, pencil, ink);
}

void appendSequence(const Canvas& c)
{
    const QColor& ink = c.palette().ink;
    const qreal left = c.line(3.5);
    const qreal right = c.line(20.5);
    const qreal cell = (right - left) / 3;
    QColor last = ink;
    last.setAlphaF(0.35);
    c.painter().fillRect(QRectF(QPointF(right - cell, c.line(12.5)), QPointF(right, c.line(20.5))),
                         last);
    QPainterPath strip;
    strip.addRoundedRect(QRectF(QPointF(left, c.line(12.5)), QPointF(right, c.line(20.5))), 1, 1);
    for (int i = 1; i < 3; ++i) {
        strip.moveTo(c.line(left + cell * i), c.line(12.5));
        strip.lineTo(c.line(left + cell * i), c.line(20.5));
    }
    strokePath(c, strip, ink);
    const qreal x = c.line(right - cell / 2);
    arrow(c, QPointF(x, 2.5), QPointF(x, 11), ink);
}

void deleteKeyFrames(const Canvas& c)
{
    fill(c, diamondPath(QPointF(10.5, 10.5), 8), c.palette().key);
    badge(c, Sign::Cross, QPointF(17.5, 17.5), 4);
}

void group(const Canvas& c)
{
    QPainterPath frame;
    frame.addRoundedRect(
        QRectF(QPointF(c.line(3.5), c.line(3.5)), QPointF(c.line(20.5), c.line(20.5))), 2, 2);
    strokePath(c, frame, c.palette().ink);
    c.painter().fillRect(c.box(7.5, 7.5, 12, 12), c.palette().ink);
    c.painter().fillRect(c.box(12, 12, 16.5, 16.5), c.palette().ink);
}

namespace {

// A path node, as path editors mark them.
void node(const Canvas& c, QPointF centre)
{
    QPainterPath square;
    square.addRect(QRectF(centre - QPointF(2.2, 2.2), centre + QPointF(2.2, 2.2)));
    c.knockout(square, c.stroke() * 0.6);
    fill(c, square, c.palette().ink);
}

} // namespace

void closedPath(const Canvas& c)
{
    QPainterPath loop;
    loop.addEllipse(QRectF(QPointF(4, 6), QPointF(20, 18)));
    strokePath(c, loop, c.palette().ink);
    node(c, QPointF(4, 12));
}

void openPath(const Canvas& c)
{
    QPainterPath curve(QPointF(4, 18));
    curve.cubicTo(QPointF(11, 18), QPointF(9, 7), QPointF(16.5, 7));
    strokePath(c, curve, c.palette().ink);
    fillSoft(c, arrowHead(QPointF(21, 7), 0, 4.5, 3.5), c.palette().ink);
    node(c, QPointF(4, 18));
}

void camera(const Canvas& c)
{
    const QColor& ink = c.palette().ink;
    QPainterPath body;
    body.addRoundedRect(c.box(2.5, 7.5, 21.5, 19.5), 2, 2);
    body.addPolygon(QPolygonF{QPointF(8, 8), QPointF(9.5, c.edge(4.5)), QPointF(14.5, c.edge(4.5)),
                              QPointF(16, 8)});
    body.setFillRule(Qt::WindingFill);
    fill(c, body, ink);
    const QPointF lens(12, 13.5);
    c.knockout(circlePath(lens, 4.3), 0);
    fill(c, circlePath(lens, 2.6), ink);
}

void light(const Canvas& c)
{
    fill(c, circlePath(Centre, 4.2), c.palette().ink);
    QPainterPath rays;
    for (int i = 0; i < 8; ++i) {
        const qreal t = qDegreesToRadians(45.0 * i);
        const QPointF direction(std::cos(t), std::sin(t));
        rays.moveTo(Centre + direction * 7);
        rays.lineTo(Centre + direction * 9.8);
    }
    strokePath(c, rays, c.palette().ink);
}

} // namespace vellum::animation::glyphs
