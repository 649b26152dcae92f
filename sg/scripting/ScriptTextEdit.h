#pragma once

#include <QPlainTextEdit>

namespace vellum::sg {

class LineNumberGutter;

// A monospace plain-text editor for scripts with line numbers and the current line highlighted.
class ScriptTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit ScriptTextEdit(QWidget* parent = nullptr);

    // Puts the cursor at a 1-based line and column, both clamped to the text.
    void moveCursorTo(int line, int column);

    int gutterWidth() const;
    void paintGutter(const QPaintEvent& event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeGutter();
    void updateGutterWidth();
    void updateGutter(const QRect& rect, int dy);
    void highlightCurrentLine();

    LineNumberGutter* m_gutter;
};

} // namespace vellum::sg
