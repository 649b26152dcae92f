#include "ScriptTextEdit.h"

#include "LineNumberGutter.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace vellum::sg {

namespace {
constexpr int tabWidthInSpaces = 4;
constexpr int gutterPadding = 4;
} // namespace

ScriptTextEdit::ScriptTextEdit(QWidget* parent)
    : QPlainTextEdit(parent), m_gutter(new LineNumberGutter(this))
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setTabStopDistance(tabWidthInSpaces * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    setLineWrapMode(QPlainTextEdit::NoWrap);

    connect(this, &QPlainTextEdit::blockCountChanged, this, &ScriptTextEdit::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &ScriptTextEdit::updateGutter);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &ScriptTextEdit::highlightCurrentLine);
    updateGutterWidth();
    highlightCurrentLine();
}

void ScriptTextEdit::moveCursorTo(int line, int column)
{
    const int blockNumber = std::clamp(line, 1, document()->blockCount()) - 1;
    const QTextBlock block = document()->findBlockByNumber(blockNumber);
    const int offset = std::clamp(column - 1, 0, block.length() - 1);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset);
    setTextCursor(cursor);
    centerCursor();
}

int ScriptTextEdit::gutterWidth() const
{
    const int digits = QString::number(qMax(1, blockCount())).size();
    return 2 * gutterPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void ScriptTextEdit::paintGutter(const QPaintEvent& event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event.rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));

    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event.rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event.rect().top()) {
            painter.drawText(0, top, m_gutter->width() - gutterPadding, fontMetrics().height(),
                             Qt::AlignRight, QString::number(block.blockNumber() + 1));
        }
        block = block.next();
        top = bottom;
    }
}

void ScriptTextEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    placeGutter();
}

void ScriptTextEdit::placeGutter()
{
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), gutterWidth(), area.height());
}

void ScriptTextEdit::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    placeGutter();
}

void ScriptTextEdit::updateGutter(const QRect& rect, int dy)
{
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateGutterWidth();
}

void ScriptTextEdit::highlightCurrentLine()
{
    QTextEdit::ExtraSelection line;
    line.format.setBackground(palette().color(QPalette::AlternateBase));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

} // namespace vellum::sg
