#include "LineNumberGutter.h"

#include "ScriptTextEdit.h"

namespace vellum::sg {

LineNumberGutter::LineNumberGutter(ScriptTextEdit* editor) : QWidget(editor), m_editor(editor)
{
    setObjectName(QStringLiteral("lineNumbers"));
}

QSize LineNumberGutter::sizeHint() const
{
    return {m_editor->gutterWidth(), 0};
}

void LineNumberGutter::paintEvent(QPaintEvent* event)
{
    m_editor->paintGutter(*event);
}

} // namespace vellum::sg
