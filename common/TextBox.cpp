#include "TextBox.h"

#include <QKeyEvent>

namespace vellum::common {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_editedSinceCommit = true;
        emit Change();
    });
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_editedSinceCommit = false;
        emit Commit();
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_editedSinceCommit) {
        m_editedSinceCommit = false;
        emit Commit();
    }
}

} // namespace vellum::common
