#pragma once

#include "VellumAnimationExport.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

class QAction;
class QDialog;
class QMenu;

namespace vellum::outside {

enum class MsgBoxButtons
{
    OK,
    OKCancel,
    YesNo,
    YesNoCancel
};
enum class MsgBoxIcon
{
    None,
    Exclamation,
    Stop,
    Information,
    Question
};
enum class MsgBoxResult
{
    OK = 1,
    Cancel = 2,
    Yes = 6,
    No = 7
};

// The services of the platform the panel runs on. Everything modal goes through here, so that
// tests can answer in advance.
class VELLUMANIMATION_EXPORT Platform
{
public:
    virtual ~Platform();

    // Per-user settings store.
    virtual QString GetSetting(const QString& appName, const QString& section, const QString& key,
                               const QString& defaultValue) = 0;
    virtual void SaveSetting(const QString& appName, const QString& section, const QString& key,
                             const QString& value) = 0;

    virtual MsgBoxResult MsgBox(const QString& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                                const QString& title) = 0;
    // The text entered, or an empty text on Cancel.
    virtual QString InputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // Shows a dialog modally; the dialog's result code.
    virtual int ShowModal(QDialog& dialog) = 0;
    // Pops the menu up at the mouse; the action chosen, or nullptr.
    virtual QAction* PopupMenu(QMenu& menu) = 0;

    // Lets queued input and timers run from inside a long loop.
    virtual void PumpMessages() = 0;

    // Files and pictures.
    virtual QString TempFolder() = 0;
    virtual void WriteTextFile(const QString& path, const QStringList& lines) = 0; // CR LF each
    virtual void DeleteFile(const QString& path) = 0;
    virtual bool FileExists(const QString& path) = 0;
    virtual void SavePicture(const QImage& picture, const QString& path) = 0; // Windows bitmap
    virtual QImage LoadPicture(const QString& path) = 0;
    virtual void ChangeDriveAndFolder(const QString& folder) = 0;
};

// The panel's message box title, and its Yes/No confirmation: True only on Yes.
VELLUMANIMATION_EXPORT QString messageTitle();
VELLUMANIMATION_EXPORT bool confirmed(const QString& question);

// The platform of this process: a QtPlatform unless a test or host installed another.
VELLUMANIMATION_EXPORT Platform& platform();
VELLUMANIMATION_EXPORT void setPlatform(std::shared_ptr<Platform> platform);

} // namespace vellum::outside
