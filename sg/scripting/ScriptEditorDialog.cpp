#include "ScriptEditorDialog.h"

#include "ScriptTextEdit.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace vellum::sg {

namespace {
constexpr QSize initialSize{640, 480};
} // namespace

ScriptEditorDialog::ScriptEditorDialog(const QString& script, int line, int column,
                                       const QString& title, QWidget* parent)
    : QDialog(parent), m_original(script), m_text(new ScriptTextEdit(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("ScriptEditorDialog"));
    setWindowTitle(title);
    setModal(true);
    resize(initialSize);

    m_text->setObjectName(QStringLiteral("scriptText"));
    m_text->setPlainText(script);
    m_buttons->setObjectName(QStringLiteral("buttons"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_buttons);

    m_text->moveCursorTo(line, column);
    m_text->setFocus();
}

QString ScriptEditorDialog::script() const
{
    return m_text->toPlainText();
}

bool ScriptEditorDialog::changed() const
{
    return script() != m_original;
}

} // namespace vellum::sg
