#pragma once

#include "VellumCommonExport.h"

#include <QAbstractSpinBox>

namespace vellum::common {

// A number box whose text stays free: whatever the user types is kept until committed, and only
// the arrows (buttons, Up/Down keys) rewrite it, clamped to Min..Max with DecimalPlaces decimals.
class VELLUMCOMMON_EXPORT UpDownText : public QAbstractSpinBox
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(double Min READ Min WRITE setMin)
    Q_PROPERTY(double Max READ Max WRITE setMax)
    Q_PROPERTY(double Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(int DecimalPlaces READ DecimalPlaces WRITE setDecimalPlaces)
    Q_PROPERTY(double DefaultValue READ DefaultValue WRITE setDefaultValue)

public:
    static constexpr int MaxDecimalPlaces = 10;

    explicit UpDownText(QWidget* parent = nullptr);

    QString Text() const;
    void setText(const QString& text);

    double Min() const { return m_min; }
    void setMin(double min);
    double Max() const { return m_max; }
    void setMax(double max);
    double Increment() const { return m_increment; }
    void setIncrement(double increment);
    int DecimalPlaces() const { return m_decimalPlaces; }
    void setDecimalPlaces(int places);
    // Where the arrows start from when the text is not a number.
    double DefaultValue() const { return m_defaultValue; }
    void setDefaultValue(double value);

    // The text read as a number; throws Error 13 when it is not one.
    double value() const;
    QString format(double number) const;

    // Shows that the text was refused (the text stays, for the user to mend) until it changes.
    void markRefused();
    bool isMarkedRefused() const { return m_refused; }

    void stepBy(int steps) override;
    QSize sizeHint() const override;

signals:
    void Change();
    void Commit();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    double startOfStep() const;
    void clearRefusal();

    double m_min = 0.0;
    double m_max = 100.0;
    double m_increment = 1.0;
    int m_decimalPlaces = 0;
    double m_defaultValue = 0.0;
    bool m_editedSinceCommit = false;
    bool m_refused = false;
};

} // namespace vellum::common
