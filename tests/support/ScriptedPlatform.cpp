#include "ScriptedPlatform.h"

#include "Error.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <gtest/gtest.h>
#include <optional>

namespace vellum::testing {

using outside::MsgBoxButtons;
using outside::MsgBoxIcon;
using outside::MsgBoxResult;

namespace {

// The next queued answer; a question nobody expected fails the test and gets none.
template <typename Answer>
std::optional<Answer> next(std::deque<Answer>& answers, const char* what, const QString& about)
{
    if (answers.empty()) {
        ADD_FAILURE() << "Unexpected " << what << ": " << about.toStdString();
        return std::nullopt;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

QStringList ScriptedPlatform::callsNamed(const QString& name) const
{
    QStringList named;
    for (const QString& call : m_calls)
        if (call.startsWith(name + QLatin1Char('(')))
            named.append(call);
    return named;
}

bool ScriptedPlatform::allAnswersUsed() const
{
    return m_msgBoxAnswers.empty() && m_inputAnswers.empty() && m_dialogAnswers.empty() &&
           m_menuAnswers.empty();
}

QString ScriptedPlatform::GetSetting(const QString& appName, const QString& section,
                                     const QString& key, const QString& defaultValue)
{
    record(QStringLiteral("GetSetting(%1|%2|%3)").arg(appName, section, key));
    return m_settings.value(settingKey(appName, section, key), defaultValue);
}

void ScriptedPlatform::SaveSetting(const QString& appName, const QString& section,
                                   const QString& key, const QString& value)
{
    record(QStringLiteral("SaveSetting(%1|%2|%3|%4)").arg(appName, section, key, value));
    if (m_saveFailureCountdown > 0 && --m_saveFailureCountdown == 0)
        throw Error(ErrorNumber::PathFileAccess, QStringLiteral("Settings store refused"));
    setSetting(appName, section, key, value);
}

MsgBoxResult ScriptedPlatform::MsgBox(const QString& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                                      const QString& title)
{
    record(QStringLiteral("MsgBox(%1|%2|%3|%4)")
               .arg(text)
               .arg(int(buttons))
               .arg(int(icon))
               .arg(title));
    return next(m_msgBoxAnswers, "message box", text)
        .value_or(buttons == MsgBoxButtons::YesNo ? MsgBoxResult::No : MsgBoxResult::OK);
}

QString ScriptedPlatform::InputBox(const QString& prompt, const QString& title,
                                   const QString& defaultText)
{
    record(QStringLiteral("InputBox(%1|%2|%3)").arg(prompt, title, defaultText));
    return next(m_inputAnswers, "input box", prompt).value_or(QString());
}

int ScriptedPlatform::ShowModal(QDialog& dialog)
{
    record(QStringLiteral("ShowModal(%1)").arg(dialog.objectName()));
    const std::optional<DialogAnswer> answer =
        next(m_dialogAnswers, "modal dialog", dialog.objectName());
    if (!answer)
        return QDialog::Rejected;
    dialog.show();
    const int result = (*answer)(dialog);
    dialog.hide();
    return result;
}

QAction* ScriptedPlatform::PopupMenu(QMenu& menu)
{
    record(QStringLiteral("PopupMenu(%1)").arg(menu.objectName()));
    const QString chosen = next(m_menuAnswers, "popup menu", menu.objectName()).value_or(QString());
    for (QAction* action : menu.actions())
        if (!chosen.isEmpty() && action->objectName() == chosen) {
            action->trigger();
            return action;
        }
    return nullptr;
}

void ScriptedPlatform::PumpMessages()
{
    if (m_pumpHook)
        m_pumpHook();
}

} // namespace vellum::testing
