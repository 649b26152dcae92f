#include "CommandLineProcess.h"

#include <Error.h>
#include <QProcess>
#include <utility>

namespace vellum::sg {

QStringList splitCommandLine(const QString& commandLine)
{
    QStringList words;
    QString word;
    bool inWord = false;
    QChar quote;
    for (qsizetype i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine.at(i);
        if (quote == u'\'') {
            if (c == u'\'')
                quote = QChar();
            else
                word += c;
        } else if (quote == u'"') {
            const QChar next = i + 1 < commandLine.size() ? commandLine.at(i + 1) : QChar();
            if (c == u'"')
                quote = QChar();
            else if (c == u'\\' && (next == u'"' || next == u'\\'))
                word += commandLine.at(++i);
            else
                word += c;
        } else if (c.isSpace()) {
            if (inWord)
                words.append(std::exchange(word, QString()));
            inWord = false;
        } else {
            inWord = true;
            if (c == u'\'' || c == u'"')
                quote = c;
            else
                word += c;
        }
    }
    if (!quote.isNull())
        throw Error(ErrorNumber::InvalidProcedureCall,
                    QStringLiteral("Unclosed quote in the command line"));
    if (inWord)
        words.append(word);
    if (words.isEmpty())
        throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
    return words;
}

ProcessOutcome runAndWait(const QStringList& words, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProgram(words.first());
    process.setArguments(words.mid(1));
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted())
        throw Error(
            ErrorNumber::FileNotFound,
            QStringLiteral("File not found: %1 (%2)").arg(words.first(), process.errorString()));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw Error(
            ErrorNumber::Internal,
            QStringLiteral("%1 did not end within %2 ms").arg(words.first()).arg(timeoutMs));
    }
    ProcessOutcome outcome{process.exitCode(), process.readAll()};
    if (process.exitStatus() == QProcess::CrashExit)
        throw Error(ErrorNumber::Internal,
                    QStringLiteral("%1 crashed: %2")
                        .arg(words.first(), QString::fromLocal8Bit(outcome.output.right(400))));
    return outcome;
}

} // namespace vellum::sg
