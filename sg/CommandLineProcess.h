#pragma once

#include "VellumSGExport.h"

#include <QByteArray>
#include <QStringList>

namespace vellum::sg {

// A command line's words as a POSIX shell would split them, without expanding anything:
// blanks separate, '…' keeps everything literally, "…" groups and lets \" and \\ through.
// Refuses an unclosed quote or an empty line.
VELLUMSG_EXPORT QStringList splitCommandLine(const QString& commandLine);

struct ProcessOutcome
{
    int exitCode = 0;
    QByteArray output; // standard output and error, interleaved
};

// Starts the program with its arguments (no shell) and waits for it. Refuses a program that
// cannot be started, that crashes, or that runs past the time-out (it is killed then).
VELLUMSG_EXPORT ProcessOutcome runAndWait(const QStringList& words, int timeoutMs);

} // namespace vellum::sg
