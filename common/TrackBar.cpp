#include "TrackBar.h"

#include "Error.h"
#include "MouseCodes.h"
#include "TrackBarGeometry.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVarLengthArray>
#include <algorithm>

namespace vellum::common {

namespace {
constexpr int DefaultWidthTwips = 3225;
constexpr int HeightTwips = 345;
} // namespace

TrackBar::TrackBar(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

TrackBar::~TrackBar() = default;

void TrackBar::setMin(int min)
{
    if (min > m_max)
        throw Error::invalidPropertyValue();
    m_min = min;
    m_selStart = std::max(m_selStart, m_min);
    update();
    moveTo(m_value);
}

void TrackBar::setMax(int max)
{
    if (max < m_min)
        throw Error::invalidPropertyValue();
    m_max = max;
    m_selStart = std::min(m_selStart, m_max);
    update();
    moveTo(m_value);
}

void TrackBar::setValue(int value)
{
    if (value < m_min || value > m_max)
        throw Error::invalidPropertyValue();
    moveTo(value);
}

void TrackBar::setTickFrequency(int frequency)
{
    if (frequency < 0)
        throw Error::invalidPropertyValue();
    m_tickFrequency = frequency;
    update();
}

void TrackBar::setSmallChange(int change)
{
    if (change < 0)
        throw Error::invalidPropertyValue();
    m_smallChange = change;
}

void TrackBar::setLargeChange(int change)
{
    if (change < 0)
        throw Error::invalidPropertyValue();
    m_largeChange = change;
}

void TrackBar::setSelectRange(bool shown)
{
    m_selectRange = shown;
    update();
}

void TrackBar::setSelStart(int start)
{
    if (start < m_min || start > m_max)
        throw Error::invalidPropertyValue();
    m_selStart = start;
    update();
}

void TrackBar::setSelLength(int length)
{
    if (length < 0)
        throw Error::invalidPropertyValue();
    m_selLength = length;
    update();
}

QSize TrackBar::sizeHint() const
{
    return QSize(twipsToPixelsX(DefaultWidthTwips, this), twipsToPixelsY(HeightTwips, this));
}

QSize TrackBar::minimumSizeHint() const
{
    return QSize(TrackBarGeometry::ThumbWidth + 4, TrackBarGeometry::ContentHeight);
}

TrackBarGeometry TrackBar::trackGeometry() const
{
    return TrackBarGeometry(size(), m_min, m_max);
}

// The one place Value changes: clamps, and reports only a real change.
void TrackBar::moveTo(qint64 value)
{
    const int clamped = int(std::clamp<qint64>(value, m_min, m_max));
    if (clamped == m_value)
        return;
    m_value = clamped;
    update();
    emit Change();
}

void TrackBar::setHovered(bool hovered)
{
    if (m_thumbHovered == hovered)
        return;
    m_thumbHovered = hovered;
    update();
}

void TrackBar::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()),
                   float(at.y()));
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    moveTo(trackGeometry().valueAt(at.x()));
}

void TrackBar::mouseMoveEvent(QMouseEvent* event)
{
    const TrackBarGeometry g = trackGeometry();
    if (m_dragging)
        moveTo(g.valueAt(event->position().x()));
    setHovered(m_dragging || g.thumbRect(m_value).contains(event->position()));
}

void TrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton && m_dragging) {
        moveTo(trackGeometry().valueAt(at.x()));
        m_dragging = false;
        setHovered(trackGeometry().thumbRect(m_value).contains(at));
    }
    emit MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()),
                 float(at.y()));
}

void TrackBar::leaveEvent(QEvent* event)
{
    if (!m_dragging)
        setHovered(false);
    QWidget::leaveEvent(event);
}

void TrackBar::keyPressEvent(QKeyEvent* event)
{
    const qint64 value = m_value;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        moveTo(value - m_smallChange);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        moveTo(value + m_smallChange);
        break;
    case Qt::Key_PageDown:
        moveTo(value - m_largeChange);
        break;
    case Qt::Key_PageUp:
        moveTo(value + m_largeChange);
        break;
    case Qt::Key_Home:
        moveTo(m_min);
        break;
    case Qt::Key_End:
        moveTo(m_max);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

QColor TrackBar::color(int role) const
{
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    return palette().color(group, QPalette::ColorRole(role));
}

void TrackBar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TrackBarGeometry g = trackGeometry();
    paintTrack(painter, g);
    if (m_selectRange)
        paintSelection(painter, g);
    paintTicks(painter, g, event->rect());
    paintThumb(painter, g);
}

void TrackBar::paintTrack(QPainter& painter, const TrackBarGeometry& g) const
{
    const QRectF track = g.trackRect().adjusted(0.5, 0.5, -0.5, -0.5);
    QColor groove = color(QPalette::Mid);
    groove.setAlphaF(0.35f);
    painter.setPen(QPen(color(QPalette::Mid), 1.0));
    painter.setBrush(groove);
    painter.drawRoundedRect(track, track.height() / 2, track.height() / 2);
}

void TrackBar::paintSelection(QPainter& painter, const TrackBarGeometry& g) const
{
    const QColor accent = isEnabled() ? color(QPalette::Highlight) : color(QPalette::Dark);
    const QRectF band = g.selectionRect(m_selStart, m_selLength);
    const QRectF track = g.trackRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRect(QRectF(band.left(), track.top(), std::max(1.0, band.width()), track.height()));

    // Small downward markers above the track at both ends of the selection.
    const auto marker = [&](double x) {
        const double tip = g.markerTip();
        QPainterPath path;
        path.moveTo(x, tip);
        path.lineTo(x - 3.5, tip - 4.5);
        path.lineTo(x + 3.5, tip - 4.5);
        path.closeSubpath();
        painter.drawPath(path);
    };
    marker(band.left());
    marker(band.right());
}

void TrackBar::paintTicks(QPainter& painter, const TrackBarGeometry& g, QRect area) const
{
    const QList<double> xs = g.tickPositions(m_tickFrequency, area.left(), area.right());
    if (xs.isEmpty())
        return;
    QVarLengthArray<QLineF, 256> lines;
    lines.reserve(xs.size());
    for (const double x : xs) {
        const double pixel = std::round(x) + 0.5;
        lines.append(QLineF(pixel, g.tickTop(), pixel, g.tickBottom()));
    }
    QColor ink = color(QPalette::WindowText);
    ink.setAlphaF(0.55f);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ink, 1.0));
    painter.drawLines(lines.constData(), int(lines.size()));
    painter.restore();
}

void TrackBar::paintThumb(QPainter& painter, const TrackBarGeometry& g) const
{
    const QRectF thumb = g.thumbRect(m_value).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool active = isEnabled() && (m_dragging || m_thumbHovered);
    QColor face = color(QPalette::Button).lighter(active ? 108 : 104);
    QColor edge = active || hasFocus() ? color(QPalette::Highlight) : color(QPalette::Dark);
    if (!isEnabled()) {
        face = color(QPalette::Window);
        edge = color(QPalette::Mid);
    }
    painter.setPen(QPen(edge, hasFocus() ? 1.5 : 1.0));
    painter.setBrush(face);
    painter.drawRoundedRect(thumb, 2.5, 2.5);

    // A centre line marks the exact frame, which matters when a frame is a pixel or less.
    const double centre = thumb.center().x();
    painter.setPen(QPen(isEnabled() ? color(QPalette::Highlight) : edge, 1.0));
    painter.drawLine(QPointF(centre, thumb.top() + 3), QPointF(centre, thumb.bottom() - 3));
}

} // namespace vellum::common
