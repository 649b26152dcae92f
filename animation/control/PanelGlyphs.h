#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>

class QPainterPath;

namespace vellum::animation::glyphs {

// The colours of one icon mode: one ink for glyphs and a few accents.
struct Palette
{
    QColor ink;
    QColor key;       // key frames of components
    QColor operation; // key frames of operations, lights and cameras
    QColor record;
    QColor play;

    static Palette normal();
    static Palette disabled();
};

// Glyphs are drawn on a 24 x 24 unit square whatever the pixel size. Strokes keep about 1.5 px
// at 16 px, scaled in half pixels, and axis-aligned edges can be snapped to whole pixels so that
// small renders stay sharp.
class Canvas
{
public:
    static constexpr qreal Units = 24;

    Canvas(QPainter& painter, int sizePx, const Palette& palette);

    QPainter& painter() const { return m_painter; }
    const Palette& palette() const { return m_palette; }

    qreal stroke() const { return m_strokePx / m_pxPerUnit; }
    QPen pen(const QColor& colour, qreal strokeFactor = 1) const;

    // An edge of a filled shape, on a pixel boundary.
    qreal edge(qreal units) const;
    // The centre line of a standard stroke, placed so that the stroke covers whole pixels.
    qreal line(qreal units, qreal strokeFactor = 1) const;
    QRectF box(qreal left, qreal top, qreal right, qreal bottom) const;

    // Clears a transparent gap around a shape drawn on top of others, so overlaps stay readable.
    void knockout(const QPainterPath& shape, qreal gapUnits = -1) const;

private:
    QPainter& m_painter;
    const Palette& m_palette;
    qreal m_pxPerUnit;
    qreal m_strokePx;
};

enum class KeyStyle
{
    None,
    Key,
    SegmentStart
};
enum class Transport
{
    Start,
    StepBack,
    Play,
    Stop,
    StepForward,
    End
};
enum class TimelineBadge
{
    Key,
    Less,
    More
};
enum class Sign
{
    Plus,
    Minus,
    Cross
};

void keyFrame(const Canvas& c, const QColor& accent, KeyStyle style);
void copyKeyFrame(const Canvas& c, const QColor& accent, bool forward);
void repeatLoop(const Canvas& c, const QColor& colour);
void transport(const Canvas& c, Transport kind);
void timeline(const Canvas& c, TimelineBadge badge);
void reset(const Canvas& c, bool allComponents);
void sign(const Canvas& c, Sign kind);

void animate(const Canvas& c);
void gear(const Canvas& c);
void autoRepeat(const Canvas& c);
void fullScreen(const Canvas& c);
void ghost(const Canvas& c);
void record(const Canvas& c);
void rename(const Canvas& c);
void appendSequence(const Canvas& c);
void deleteKeyFrames(const Canvas& c);

void group(const Canvas& c);
void closedPath(const Canvas& c);
void openPath(const Canvas& c);
void camera(const Canvas& c);
void light(const Canvas& c);

} // namespace vellum::animation::glyphs
