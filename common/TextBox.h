#pragma once

#include "VellumCommonExport.h"

#include <QLineEdit>

namespace vellum::common {

// Single-line text box: Change on every user edit, Commit on Enter and when focus leaves after
// an edit. Text set from code raises neither.
class VELLUMCOMMON_EXPORT TextBox : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    explicit TextBox(QWidget* parent = nullptr);

    QString Text() const { return text(); }

signals:
    void Change();
    void Commit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_editedSinceCommit = false;
};

} // namespace vellum::common
