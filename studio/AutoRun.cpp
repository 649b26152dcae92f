#include "AutoRun.h"

#include "HeadlessPlatform.h"
#include "MainWindow.h"

#include <Animation.h>
#include <Error.h>
#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace vellum::studio {

AutoRun::AutoRun(MainWindow& window, const StudioOptions& options)
    : m_window(window), m_options(options)
{}

void AutoRun::start()
{
    // Playback keeps the event loop busy inside the click: the quit timer must already run.
    if (m_options.quitAfterSeconds)
        QTimer::singleShot(int(*m_options.quitAfterSeconds * 1000.0), this, &AutoRun::quit);
    if (!m_options.startButton.isEmpty())
        QTimer::singleShot(0, this, &AutoRun::pressStartButton);
}

void AutoRun::pressStartButton()
{
    auto* button = m_window.panel()->findChild<QAbstractButton*>(m_options.startButton);
    if (!button || !button->isEnabled()) {
        reportFailure(tr("%1 cannot be pressed now.").arg(m_options.startButton));
        return;
    }
    button->click();
}

// From the screen where there is one: the animation window is a window of its own.
QImage AutoRun::picture() const
{
    if (QScreen* screen = m_window.screen()) {
        const QRect area = m_window.frameGeometry();
        const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (!shot.isNull())
            return shot.toImage();
    }
    return m_window.grab().toImage();
}

void AutoRun::quit()
{
    std::fprintf(stdout, "%s\n", qPrintable(m_window.lastStatusMiscText().trimmed()));
    std::fflush(stdout);
    if (!m_options.screenshotFile.isEmpty() && !picture().save(m_options.screenshotFile, "PNG"))
        reportFailure(tr("Cannot save the screenshot to %1.").arg(m_options.screenshotFile));
    // A playback in progress loops inside its button's click until it is told to stop.
    try {
        m_window.panel()->HaltAnimation();
    } catch (const Error& error) {
        reportFailure(error.description());
    }
    const HeadlessPlatform* headless = headlessPlatform();
    QApplication::exit(headless ? headless->exitCode() : 0);
}

} // namespace vellum::studio
