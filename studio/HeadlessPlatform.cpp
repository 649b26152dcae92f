#include "HeadlessPlatform.h"

#include <QCoreApplication>
#include <QDialog>
#include <cstdio>
#include <utility>

namespace vellum::studio {

namespace {

void writeToStandardError(const QString& line)
{
    std::fprintf(stderr, "vellum-studio: %s\n", qPrintable(line));
    std::fflush(stderr);
}

// Message texts break into paragraphs for a box; on the terminal each is one line.
QString oneLine(QString text)
{
    return text.replace(QStringLiteral("\n\n"), QStringLiteral(" ")).replace(u'\n', u' ');
}

// The answer that goes ahead with nothing.
outside::MsgBoxResult declining(outside::MsgBoxButtons buttons)
{
    switch (buttons) {
    case outside::MsgBoxButtons::OK:
        return outside::MsgBoxResult::OK;
    case outside::MsgBoxButtons::YesNo:
        return outside::MsgBoxResult::No;
    case outside::MsgBoxButtons::OKCancel:
    case outside::MsgBoxButtons::YesNoCancel:
        break;
    }
    return outside::MsgBoxResult::Cancel;
}

} // namespace

HeadlessPlatform::HeadlessPlatform(Writer write)
    : m_write(write ? std::move(write) : Writer(writeToStandardError))
{}

HeadlessPlatform& HeadlessPlatform::install()
{
    auto platform = std::make_shared<HeadlessPlatform>();
    HeadlessPlatform& installed = *platform;
    outside::setPlatform(std::move(platform));
    return installed;
}

void HeadlessPlatform::fail(const QString& text)
{
    m_failed = true;
    m_write(oneLine(text));
}

void HeadlessPlatform::answerDialog(const QString& objectName, int result)
{
    m_answers.insert(objectName, result);
}

outside::MsgBoxResult HeadlessPlatform::MsgBox(const QString& text, outside::MsgBoxButtons buttons,
                                               outside::MsgBoxIcon icon, const QString&)
{
    const bool notice =
        buttons == outside::MsgBoxButtons::OK &&
        (icon == outside::MsgBoxIcon::None || icon == outside::MsgBoxIcon::Information);
    if (notice)
        m_write(oneLine(text));
    else
        fail(text);
    return declining(buttons);
}

QString HeadlessPlatform::InputBox(const QString& prompt, const QString&, const QString&)
{
    fail(prompt);
    return {};
}

int HeadlessPlatform::ShowModal(QDialog& dialog)
{
    if (const auto answer = m_answers.constFind(dialog.objectName()); answer != m_answers.cend())
        return *answer;
    fail(QCoreApplication::translate("HeadlessPlatform",
                                     "\"%1\" needs an answer that a command-line run cannot give.")
             .arg(dialog.windowTitle()));
    return QDialog::Rejected;
}

QAction* HeadlessPlatform::PopupMenu(QMenu&)
{
    return nullptr;
}

HeadlessPlatform* headlessPlatform()
{
    return dynamic_cast<HeadlessPlatform*>(&outside::platform());
}

void reportFailure(const QString& text)
{
    if (HeadlessPlatform* platform = headlessPlatform())
        platform->fail(text);
    else
        writeToStandardError(oneLine(text));
}

} // namespace vellum::studio
