#pragma once

#include "QtPlatform.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace vellum::testing {

// A platform for tests: modal questions are answered from queues filled in advance, settings
// live in memory, and every call is recorded in order. Files go to the real file system.
class ScriptedPlatform : public outside::QtPlatform
{
public:
    using DialogAnswer = std::function<int(QDialog&)>;

    // Answers, taken in order; a question with no queued answer fails the test loudly.
    void answerMsgBox(outside::MsgBoxResult answer) { m_msgBoxAnswers.push_back(answer); }
    void answerInputBox(const QString& text) { m_inputAnswers.push_back(text); }
    void answerDialog(DialogAnswer answer) { m_dialogAnswers.push_back(std::move(answer)); }
    // The popup menu's choice by the action's object name; empty: closed without a choice.
    void answerPopupMenu(const QString& actionName) { m_menuAnswers.push_back(actionName); }
    void onPumpMessages(std::function<void()> hook) { m_pumpHook = std::move(hook); }
    // The n-th SaveSetting from now (1 = the next) fails.
    void failSaveSettingAt(int n) { m_saveFailureCountdown = n; }

    void setSetting(const QString& app, const QString& section, const QString& key,
                    const QString& value)
    {
        m_settings.insert(settingKey(app, section, key), value);
    }
    QString setting(const QString& app, const QString& section, const QString& key) const
    {
        return m_settings.value(settingKey(app, section, key));
    }
    bool hasSetting(const QString& app, const QString& section, const QString& key) const
    {
        return m_settings.contains(settingKey(app, section, key));
    }

    const QStringList& calls() const { return m_calls; }
    QStringList callsNamed(const QString& name) const;
    void clearCalls() { m_calls.clear(); }
    bool allAnswersUsed() const;

    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;
    outside::MsgBoxResult MsgBox(const QString& text, outside::MsgBoxButtons buttons,
                                 outside::MsgBoxIcon icon, const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    int ShowModal(QDialog& dialog) override;
    QAction* PopupMenu(QMenu& menu) override;
    void PumpMessages() override;

private:
    static QString settingKey(const QString& app, const QString& section, const QString& key)
    {
        return QStringList{app, section, key}.join(QLatin1Char('\x1f'));
    }
    void record(const QString& call) { m_calls.append(call); }

    QHash<QString, QString> m_settings;
    std::deque<outside::MsgBoxResult> m_msgBoxAnswers;
    std::deque<QString> m_inputAnswers;
    std::deque<DialogAnswer> m_dialogAnswers;
    std::deque<QString> m_menuAnswers;
    std::function<void()> m_pumpHook;
    int m_saveFailureCountdown = 0;
    QStringList m_calls;
};

} // namespace vellum::testing
