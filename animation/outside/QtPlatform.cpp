#include "QtPlatform.h"

#include "Error.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStringEncoder>

namespace vellum::outside {

namespace {

// Settings of one application name live in their own store, as the host's registry key says.
QSettings storeFor(const QString& appName)
{
    const QString organization = QCoreApplication::organizationName().isEmpty()
                                     ? QStringLiteral("Vellum")
                                     : QCoreApplication::organizationName();
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organization, appName);
}

QString settingsPath(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

QMessageBox::Icon toQtIcon(MsgBoxIcon icon)
{
    switch (icon) {
    case MsgBoxIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxIcon::Stop:
        return QMessageBox::Critical;
    case MsgBoxIcon::Information:
        return QMessageBox::Information;
    case MsgBoxIcon::Question:
        return QMessageBox::Question;
    case MsgBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(MsgBoxButtons buttons)
{
    switch (buttons) {
    case MsgBoxButtons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgBoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgBoxButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgBoxButtons::OK:
        break;
    }
    return QMessageBox::Ok;
}

MsgBoxResult fromQtButton(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MsgBoxResult::Yes;
    case QMessageBox::No:
        return MsgBoxResult::No;
    case QMessageBox::Cancel:
        return MsgBoxResult::Cancel;
    default:
        return MsgBoxResult::OK;
    }
}

Error fileError(const QString& path, const QString& what)
{
    return Error(ErrorNumber::PathFileAccess,
                 QStringLiteral("Path/File access error: %1 (%2)").arg(path, what));
}

} // namespace

QString QtPlatform::GetSetting(const QString& appName, const QString& section, const QString& key,
                               const QString& defaultValue)
{
    return storeFor(appName).value(settingsPath(section, key), defaultValue).toString();
}

void QtPlatform::SaveSetting(const QString& appName, const QString& section, const QString& key,
                             const QString& value)
{
    QSettings store = storeFor(appName);
    store.setValue(settingsPath(section, key), value);
    store.sync();
    if (store.status() != QSettings::NoError)
        throw fileError(store.fileName(), QStringLiteral("settings not written"));
}

MsgBoxResult QtPlatform::MsgBox(const QString& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                                const QString& title)
{
    QMessageBox box(toQtIcon(icon), title, text, toQtButtons(buttons),
                    QApplication::activeWindow());
    return fromQtButton(box.exec());
}

QString QtPlatform::InputBox(const QString& prompt, const QString& title,
                             const QString& defaultText)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                               QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

int QtPlatform::ShowModal(QDialog& dialog)
{
    return dialog.exec();
}

QAction* QtPlatform::PopupMenu(QMenu& menu)
{
    return menu.exec(QCursor::pos());
}

void QtPlatform::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

QString QtPlatform::TempFolder()
{
    for (const char* name : {"temp", "TEMP"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QDir::tempPath();
}

void QtPlatform::WriteTextFile(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw fileError(path, file.errorString());
    QStringEncoder toLocal8Bit(QStringEncoder::System);
    for (const QString& line : lines) {
        file.write(toLocal8Bit(line));
        file.write("\r\n", 2);
    }
    if (!file.commit())
        throw fileError(path, file.errorString());
}

void QtPlatform::DeleteFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw Error(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
    if (!file.remove())
        throw fileError(path, file.errorString());
}

bool QtPlatform::FileExists(const QString& path)
{
    return QFile::exists(path);
}

void QtPlatform::SavePicture(const QImage& picture, const QString& path)
{
    if (picture.isNull() || !picture.save(path, "BMP"))
        throw fileError(path, QStringLiteral("picture not saved"));
}

QImage QtPlatform::LoadPicture(const QString& path)
{
    QImage picture;
    if (!picture.load(path))
        throw Error(ErrorNumber::InvalidPicture, QStringLiteral("Invalid picture"));
    return picture;
}

void QtPlatform::ChangeDriveAndFolder(const QString& folder)
{
    if (!QDir::setCurrent(folder))
        throw Error(ErrorNumber::PathNotFound, QStringLiteral("Path not found"));
}

} // namespace vellum::outside
