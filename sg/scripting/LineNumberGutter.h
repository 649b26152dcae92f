#pragma once

#include <QWidget>

namespace vellum::sg {

class ScriptTextEdit;

// The strip left of a script text that shows the line numbers; the text edit paints it.
class LineNumberGutter : public QWidget
{
    Q_OBJECT
public:
    explicit LineNumberGutter(ScriptTextEdit* editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ScriptTextEdit* m_editor;
};

} // namespace vellum::sg
