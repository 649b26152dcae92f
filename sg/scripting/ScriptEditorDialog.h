#pragma once

#include <QDialog>

class QDialogButtonBox;

namespace vellum::sg {

class ScriptTextEdit;

// The modal editor for one component script, opened where the script failed.
class ScriptEditorDialog : public QDialog
{
    Q_OBJECT
public:
    // line and column are 1-based; a column of 0 means the start of the line, as does a line
    // that the engine could not tell (reported as 1).
    ScriptEditorDialog(const QString& script, int line, int column, const QString& title,
                       QWidget* parent = nullptr);

    QString script() const;
    // Whether the text now differs from the one the dialog opened with.
    bool changed() const;

    ScriptTextEdit* textEdit() const { return m_text; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    QString m_original;
    ScriptTextEdit* m_text;
    QDialogButtonBox* m_buttons;
};

} // namespace vellum::sg
