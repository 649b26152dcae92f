#include "HelpMenu.h"

#include "KeyboardShortcuts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <outside/Platform.h>

namespace vellum::studio {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("HelpMenu", text);
}

void showKeyboardShortcuts(QMainWindow& window)
{
    const QList<KeyboardShortcuts::Entry> entries = KeyboardShortcuts::list(window);
    QDialog dialog(&window);
    dialog.setObjectName(QStringLiteral("dlgKeyboardShortcuts"));
    dialog.setWindowTitle(tr("Keyboard Shortcuts"));
    auto* table = new QTableWidget(int(entries.size()), 2, &dialog);
    table->setObjectName(QStringLiteral("shortcutTable"));
    table->setHorizontalHeaderLabels({tr("Key"), tr("Does")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < entries.size(); ++row) {
        table->setItem(row, 0,
                       new QTableWidgetItem(entries[row].keys.toString(QKeySequence::NativeText)));
        table->setItem(row, 1, new QTableWidgetItem(entries[row].description));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(420, 360);
    outside::platform().ShowModal(dialog);
}

void showAbout()
{
    outside::platform().MsgBox(
        tr("Vellum Studio %1\n\nA small modeller for the Vellum animation panel: pose groups, "
           "set keys and play them back.")
            .arg(QStringLiteral(VELLUM_VERSION)),
        outside::MsgBoxButtons::OK, outside::MsgBoxIcon::Information, tr("About Vellum Studio"));
}

} // namespace

QMenu* addHelpMenu(QMainWindow& window)
{
    QMenu* help = window.menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&Keyboard Shortcuts"), &window,
                    [&window] { showKeyboardShortcuts(window); })
        ->setObjectName(QStringLiteral("actKeyboardShortcuts"));
    help->addAction(tr("&About Vellum Studio"), &window, showAbout)
        ->setObjectName(QStringLiteral("actAbout"));
    return help;
}

} // namespace vellum::studio
