#include "UpDownText.h"

#include "Error.h"
#include "NumberText.h"

#include <QColor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>
#include <utility>

namespace vellum::common {

UpDownText::UpDownText(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAccelerated(false);
    lineEdit()->setObjectName(QStringLiteral("edit"));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_editedSinceCommit = true; });
    connect(lineEdit(), &QLineEdit::textChanged, this, &UpDownText::clearRefusal);
}

QString UpDownText::Text() const
{
    return lineEdit()->text();
}

void UpDownText::setText(const QString& text)
{
    lineEdit()->setText(text);
}

void UpDownText::setMin(double min)
{
    if (min > m_max)
        throw Error::invalidPropertyValue();
    m_min = min;
}

void UpDownText::setMax(double max)
{
    if (max < m_min)
        throw Error::invalidPropertyValue();
    m_max = max;
}

void UpDownText::setIncrement(double increment)
{
    if (!(increment > 0.0))
        throw Error::invalidPropertyValue();
    m_increment = increment;
}

void UpDownText::setDecimalPlaces(int places)
{
    if (places < 0 || places > MaxDecimalPlaces)
        throw Error::invalidPropertyValue();
    m_decimalPlaces = places;
}

void UpDownText::setDefaultValue(double value)
{
    m_defaultValue = value;
}

double UpDownText::value() const
{
    if (const auto number = parseNumber(Text()))
        return *number;
    throw Error::typeMismatch();
}

QString UpDownText::format(double number) const
{
    return formatNumber(number, m_decimalPlaces);
}

void UpDownText::markRefused()
{
    m_refused = true;
    QPalette refused = palette();
    refused.setColor(QPalette::Text, QColor(200, 30, 30));
    lineEdit()->setPalette(refused);
    lineEdit()->selectAll();
}

void UpDownText::clearRefusal()
{
    if (!std::exchange(m_refused, false))
        return;
    lineEdit()->setPalette(palette());
}

double UpDownText::startOfStep() const
{
    return parseNumber(Text()).value_or(m_defaultValue);
}

void UpDownText::stepBy(int steps)
{
    const double stepped = std::clamp(startOfStep() + steps * m_increment, m_min, m_max);
    setText(format(stepped));
    m_editedSinceCommit = true;
    emit Change();
}

QAbstractSpinBox::StepEnabled UpDownText::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    const auto number = parseNumber(Text());
    if (!number)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (*number < m_max)
        enabled |= StepUpEnabled;
    if (*number > m_min)
        enabled |= StepDownEnabled;
    return enabled;
}

void UpDownText::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_editedSinceCommit = false;
        emit Commit();
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void UpDownText::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    if (m_editedSinceCommit) {
        m_editedSinceCommit = false;
        emit Commit();
    }
}

QSize UpDownText::sizeHint() const
{
    const QString widest = format(std::max(std::abs(m_min), std::abs(m_max))) + QLatin1Char('-');
    const QFontMetrics metrics(font());
    QSize hint = QAbstractSpinBox::sizeHint();
    const int textWidth = metrics.horizontalAdvance(widest) + 2 * metrics.averageCharWidth();
    hint.setWidth(std::max(hint.width(), textWidth + hint.height()));
    return hint;
}

} // namespace vellum::common
