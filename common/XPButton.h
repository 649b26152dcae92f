#pragma once

#include "VellumCommonExport.h"

#include <QAbstractButton>

namespace vellum::common {

// Flat image button of the panel's tool bands. As a push button it clicks; as a toggle a user
// click flips Value. Value set from code never clicks.
class VELLUMCOMMON_EXPORT XPButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(bool Toggle READ isToggle WRITE setToggle)

public:
    explicit XPButton(QWidget* parent = nullptr);

    bool Value() const { return m_value; }
    void setValue(bool value);

    bool isToggle() const { return m_toggle; }
    void setToggle(bool toggle);

    QIcon image() const { return icon(); }
    void setImage(const QIcon& image);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void valueChanged(bool value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void onUserClick();
    bool looksPressed() const;
    void paintFrame(QPainter& painter) const;
    void paintImage(QPainter& painter) const;

    bool m_value = false;
    bool m_toggle = false;
    bool m_hovered = false;
};

} // namespace vellum::common
