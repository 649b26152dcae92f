#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <outside/QtPlatform.h>

namespace vellum::studio {

// The platform of a run from the command line, which nobody watches: whatever a dialog would
// show goes to standard error instead and nothing waits for an answer. A refusal, a failure, a
// question or a dialog nobody answered marks the run as failed; notices are only printed.
class HeadlessPlatform : public outside::QtPlatform
{
public:
    using Writer = std::function<void(const QString& line)>;
    explicit HeadlessPlatform(Writer write = {});

    // Installs one as the process's platform for the rest of the run.
    static HeadlessPlatform& install();

    // A failure of the run itself, outside any dialog.
    void fail(const QString& text);
    // A dialog that the command line answers: ShowModal gives it this result without showing it.
    void answerDialog(const QString& objectName, int result);

    bool failed() const { return m_failed; }
    int exitCode() const { return m_failed ? 1 : 0; }

    outside::MsgBoxResult MsgBox(const QString& text, outside::MsgBoxButtons buttons,
                                 outside::MsgBoxIcon icon, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    int ShowModal(QDialog& dialog) override;
    QAction* PopupMenu(QMenu& menu) override;

private:
    Writer m_write;
    QHash<QString, int> m_answers;
    bool m_failed = false;
};

// The headless platform when this run has one, nullptr in an interactive run.
HeadlessPlatform* headlessPlatform();

// Reports a failure of a command-line request: to standard error, and it fails a headless run.
void reportFailure(const QString& text);

} // namespace vellum::studio
