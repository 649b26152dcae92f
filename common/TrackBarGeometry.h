#pragma once

#include "VellumCommonExport.h"

#include <QList>
#include <QRectF>

namespace vellum::common {

// Where the parts of a horizontal track bar lie for a given size and range, and which frame lies
// under a pixel. Plain arithmetic, so painting and mouse handling agree by construction.
class VELLUMCOMMON_EXPORT TrackBarGeometry
{
public:
    static constexpr int ThumbWidth = 11;
    static constexpr int ThumbHeight = 15;
    static constexpr int ContentHeight = 21;
    static constexpr double MinTickSpacing = 3.0;

    TrackBarGeometry(QSize size, int min, int max);

    double xOf(int value) const;
    // The whole frame nearest to x, clamped to the range.
    int valueAt(double x) const;

    QRectF trackRect() const;
    QRectF thumbRect(int value) const;
    QRectF selectionRect(int selStart, qint64 selLength) const;
    double markerTip() const { return trackRect().top() - 0.5; }
    double tickTop() const { return m_top + ContentHeight - 4.0; }
    double tickBottom() const { return m_top + ContentHeight; }

    // Tick positions between fromX and toX: every tickFrequency frames from Min, thinned out to
    // whole multiples so that no two drawn ticks are closer than MinTickSpacing, always with the
    // ends of the range.
    QList<double> tickPositions(int tickFrequency, double fromX, double toX) const;

private:
    double margin() const { return ThumbWidth / 2.0 + 2.0; }
    double usableWidth() const;
    qint64 span() const { return qint64(m_max) - m_min; }

    QSize m_size;
    int m_min;
    int m_max;
    double m_top;
};

} // namespace vellum::common
