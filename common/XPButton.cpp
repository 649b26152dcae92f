#include "XPButton.h"

#include "MouseCodes.h"
#include "Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace vellum::common {

namespace {
constexpr int ButtonTwips = 330;
constexpr int ImagePixels = 16;
constexpr qreal CornerRadius = 3.0;
} // namespace

XPButton::XPButton(QWidget* parent) : QAbstractButton(parent)
{
    setIconSize(QSize(ImagePixels, ImagePixels));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, &XPButton::onUserClick);
}

void XPButton::setValue(bool value)
{
    if (m_value == value)
        return;
    m_value = value;
    update();
    emit valueChanged(m_value);
}

void XPButton::setToggle(bool toggle)
{
    m_toggle = toggle;
    update();
}

void XPButton::setImage(const QIcon& image)
{
    setIcon(image);
}

QSize XPButton::sizeHint() const
{
    const int side = twipsToPixelsX(ButtonTwips, this);
    return QSize(side, side);
}

QSize XPButton::minimumSizeHint() const
{
    return iconSize() + QSize(4, 4);
}

void XPButton::onUserClick()
{
    if (m_toggle)
        setValue(!m_value);
    emit Click();
}

bool XPButton::looksPressed() const
{
    return isDown() || m_value;
}

void XPButton::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()),
                   float(at.y()));
    QAbstractButton::mousePressEvent(event);
}

void XPButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()), float(at.x()),
                 float(at.y()));
    QAbstractButton::mouseReleaseEvent(event);
}

void XPButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void XPButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void XPButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFrame(painter);
    paintImage(painter);
}

void XPButton::paintFrame(QPainter& painter) const
{
    const QPalette& pal = palette();
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = looksPressed();
    const bool hot = m_hovered && isEnabled();
    if (!pressed && !hot && !hasFocus())
        return;

    const QColor accent = pal.color(QPalette::Highlight);
    QColor fill = accent;
    QColor border = accent.darker(120);
    if (isDown()) {
        fill.setAlphaF(0.5f);
    } else if (pressed) {
        fill.setAlphaF(hot ? 0.4f : 0.32f);
    } else {
        // Hover only outlines the button, so that it never reads as pressed.
        fill.setAlphaF(hot ? 0.08f : 0.0f);
        border.setAlphaF(hot ? 0.6f : 0.35f);
    }
    if (!isEnabled()) {
        fill = pal.color(QPalette::Disabled, QPalette::Button).darker(110);
        border = pal.color(QPalette::Disabled, QPalette::Mid);
    }
    painter.setPen(QPen(border, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, CornerRadius, CornerRadius);

    // A sunken shadow along the top and left edge makes a pressed toggle read as "in".
    if (pressed && isEnabled()) {
        QColor shade = pal.color(QPalette::Shadow);
        shade.setAlphaF(0.5f);
        painter.setPen(QPen(shade, 1.0));
        const QRectF inner = box.adjusted(1, 1, -1, -1);
        painter.drawLine(inner.topLeft() + QPointF(CornerRadius, 0), inner.topRight());
        painter.drawLine(inner.topLeft() + QPointF(0, CornerRadius), inner.bottomLeft());
    }
}

void XPButton::paintImage(QPainter& painter) const
{
    if (icon().isNull())
        return;
    const QSize wanted = iconSize().boundedTo(size() - QSize(4, 4));
    const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled
                             : m_hovered  ? QIcon::Active
                                          : QIcon::Normal;
    const QIcon::State state = looksPressed() ? QIcon::On : QIcon::Off;
    const QPixmap pixmap = icon().pixmap(wanted, devicePixelRatioF(), mode, state);
    const QSizeF logical = pixmap.deviceIndependentSize();
    QPointF topLeft((width() - logical.width()) / 2.0, (height() - logical.height()) / 2.0);
    if (isDown())
        topLeft += QPointF(1, 1);
    // Whole logical pixels keep the image crisp instead of resampled by half a pixel.
    topLeft = QPointF(qRound(topLeft.x()), qRound(topLeft.y()));
    painter.drawPixmap(topLeft, pixmap);
}

} // namespace vellum::common
