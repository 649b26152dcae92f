#include "TrackBarGeometry.h"

#include <algorithm>
#include <cmath>

namespace vellum::common {

TrackBarGeometry::TrackBarGeometry(QSize size, int min, int max)
    : m_size(size), m_min(min), m_max(max),
      m_top(std::max(0.0, std::floor((size.height() - ContentHeight) / 2.0)))
{}

double TrackBarGeometry::usableWidth() const
{
    return std::max(1.0, m_size.width() - 2.0 * margin());
}

double TrackBarGeometry::xOf(int value) const
{
    if (span() <= 0)
        return margin();
    return margin() + double(qint64(value) - m_min) * usableWidth() / double(span());
}

int TrackBarGeometry::valueAt(double x) const
{
    if (span() <= 0)
        return m_min;
    const double steps = std::round((x - margin()) * double(span()) / usableWidth());
    const double clamped = std::clamp(steps, 0.0, double(span()));
    return int(m_min + qint64(clamped));
}

QRectF TrackBarGeometry::trackRect() const
{
    return QRectF(margin() - 2.0, m_top + 5.0, usableWidth() + 4.0, 5.0);
}

QRectF TrackBarGeometry::thumbRect(int value) const
{
    const double centre = std::round(xOf(value)) + 0.5;
    return QRectF(centre - ThumbWidth / 2.0, m_top, ThumbWidth, ThumbHeight);
}

QRectF TrackBarGeometry::selectionRect(int selStart, qint64 selLength) const
{
    const qint64 first = std::clamp<qint64>(selStart, m_min, m_max);
    const qint64 last = std::clamp<qint64>(qint64(selStart) + selLength, m_min, m_max);
    const QRectF track = trackRect();
    const double left = xOf(int(first));
    const double right = xOf(int(last));
    return QRectF(left, track.top(), right - left, track.height());
}

QList<double> TrackBarGeometry::tickPositions(int tickFrequency, double fromX, double toX) const
{
    QList<double> positions;
    if (tickFrequency <= 0 || span() <= 0)
        return positions;
    const double pixelsPerTick = tickFrequency * usableWidth() / double(span());
    const qint64 stride = std::max<qint64>(1, qint64(std::ceil(MinTickSpacing / pixelsPerTick)));
    const qint64 framesPerDrawnTick = stride * tickFrequency;

    const auto drawn = [&](qint64 frame) { return margin() + frame * usableWidth() / span(); };
    const qint64 firstVisible = qint64(std::floor((fromX - margin()) / usableWidth() * span()));
    qint64 frame = std::max<qint64>(0, firstVisible / framesPerDrawnTick * framesPerDrawnTick);
    const double lastX = drawn(span());
    for (; frame < span(); frame += framesPerDrawnTick) {
        const double x = drawn(frame);
        if (x > toX + 1.0)
            break;
        if (lastX - x < MinTickSpacing)
            break; // the end tick is drawn below and would crowd this one
        if (x >= fromX - 1.0)
            positions.append(x);
    }
    if (lastX >= fromX - 1.0 && lastX <= toX + 1.0)
        positions.append(lastX);
    return positions;
}

} // namespace vellum::common
