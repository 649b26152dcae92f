#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

class QAbstractButton;
class QWidget;

namespace vellum::studio {

// Keys for the panel's transport: each presses one of the panel's own buttons, so the panel's
// rules (the working sub-range, disabled buttons during a run) decide what happens. A key meant
// for a text box stays with the text box.
class KeyboardShortcuts : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        QKeySequence keys;
        QString description;
    };

    // Listens in window (for the keys) and presses the buttons of panel.
    KeyboardShortcuts(QWidget& window, QWidget& panel);

    // Every key the studio knows, the menus' included, for the Help list.
    static QList<Entry> list(const QWidget& window);

private:
    void press(const QList<const char*>& buttonNames);

    QWidget& m_panel;
};

} // namespace vellum::studio
