#include "FarmProgress.h"

#include <algorithm>
#include <cmath>

namespace vellum::studio {

QString clockText(double seconds)
{
    const long long whole = std::llround(std::max(0.0, seconds));
    const QString minutesSeconds =
        QStringLiteral("%1:%2")
            .arg(whole / 60 % 60, whole >= 3600 ? 2 : 1, 10, QLatin1Char('0'))
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return whole >= 3600 ? QStringLiteral("%1:%2").arg(whole / 3600).arg(minutesSeconds)
                         : minutesSeconds;
}

double FarmProgress::etaSeconds() const
{
    if (timedFrames == 0)
        return -1.0;
    const double meanFrame = renderSecondsSum / timedFrames;
    return double(total - done) * meanFrame / double(std::max(running, 1));
}

QString FarmProgress::line() const
{
    const int percent = total > 0 ? done * 100 / total : 100;
    const double eta = etaSeconds();
    const QString waitingFor = running == 0 && !waiting.isEmpty()
                                   ? QStringLiteral(", waiting (%1)").arg(waiting)
                                   : QString();
    return QStringLiteral("%1% %2/%3 frames, %4 failed, %5 running%6, elapsed %7, ETA %8")
        .arg(percent, 3)
        .arg(done)
        .arg(total)
        .arg(failed)
        .arg(running)
        .arg(waitingFor, clockText(elapsedSeconds),
             eta < 0.0 ? QStringLiteral("--:--") : clockText(eta));
}

} // namespace vellum::studio
