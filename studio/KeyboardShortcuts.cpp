#include "KeyboardShortcuts.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>

namespace vellum::studio {

namespace {

struct PanelKey
{
    Qt::Key key;
    // The first of these buttons that is enabled is pressed (a run disables Play).
    QList<const char*> buttons;
    const char* description;
};

const QList<PanelKey>& panelKeys()
{
    static const QList<PanelKey> keys = {
        {Qt::Key_Space,
         {"cmdPlay", "cmdStop"},
         QT_TRANSLATE_NOOP("KeyboardShortcuts", "Play / stop")},
        {Qt::Key_Left,
         {"cmdStepBack"},
         QT_TRANSLATE_NOOP("KeyboardShortcuts", "Step back one frame")},
        {Qt::Key_Right,
         {"cmdStepForward"},
         QT_TRANSLATE_NOOP("KeyboardShortcuts", "Step forward one frame")},
        {Qt::Key_Home,
         {"cmdStart"},
         QT_TRANSLATE_NOOP("KeyboardShortcuts", "Go to the start of the working range")},
        {Qt::Key_End,
         {"cmdEnd"},
         QT_TRANSLATE_NOOP("KeyboardShortcuts", "Go to the end of the working range")},
    };
    return keys;
}

// Qt already keeps keys that a line edit uses away from shortcuts; this also covers text boxes
// that take fewer keys than the transport uses (a drop-down's edit field, a read-only box).
bool typingInto(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           (qobject_cast<const QComboBox*>(widget) &&
            static_cast<const QComboBox*>(widget)->isEditable());
}

QString nativeText(const QKeySequence& keys)
{
    return keys.toString(QKeySequence::NativeText);
}

} // namespace

KeyboardShortcuts::KeyboardShortcuts(QWidget& window, QWidget& panel)
    : QObject(&window), m_panel(panel)
{
    for (const PanelKey& entry : panelKeys()) {
        auto* shortcut = new QShortcut(QKeySequence(entry.key), &window);
        shortcut->setObjectName(QStringLiteral("shortcut%1").arg(nativeText(shortcut->key())));
        const QList<const char*> buttons = entry.buttons;
        connect(shortcut, &QShortcut::activated, this, [this, buttons] { press(buttons); });
        for (const char* name : buttons) {
            auto* button = m_panel.findChild<QAbstractButton*>(QLatin1StringView(name));
            if (button && !button->toolTip().isEmpty())
                button->setToolTip(
                    QStringLiteral("%1 (%2)").arg(button->toolTip(), nativeText(shortcut->key())));
        }
    }
}

void KeyboardShortcuts::press(const QList<const char*>& buttonNames)
{
    if (typingInto(QApplication::focusWidget()))
        return;
    for (const char* name : buttonNames) {
        auto* button = m_panel.findChild<QAbstractButton*>(QLatin1StringView(name));
        if (button && button->isEnabled()) {
            button->click();
            return;
        }
    }
}

QList<KeyboardShortcuts::Entry> KeyboardShortcuts::list(const QWidget& window)
{
    QList<Entry> entries;
    for (const PanelKey& entry : panelKeys())
        entries.append({QKeySequence(entry.key), tr(entry.description)});
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        for (const QAction* action : menu->actions()) {
            if (!action->shortcut().isEmpty())
                entries.append({action->shortcut(), action->text().remove(u'&').remove(u'…')});
        }
    }
    return entries;
}

} // namespace vellum::studio
