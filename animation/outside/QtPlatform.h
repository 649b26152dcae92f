#pragma once

#include "Platform.h"

namespace vellum::outside {

// The platform services on Qt: QSettings, QMessageBox, QInputDialog, the event loop, QImage.
class VELLUMANIMATION_EXPORT QtPlatform : public Platform
{
public:
    QString GetSetting(const QString& appName, const QString& section, const QString& key,
                       const QString& defaultValue) override;
    void SaveSetting(const QString& appName, const QString& section, const QString& key,
                     const QString& value) override;
    MsgBoxResult MsgBox(const QString& text, MsgBoxButtons buttons, MsgBoxIcon icon,
                        const QString& title) override;
    QString InputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    int ShowModal(QDialog& dialog) override;
    QAction* PopupMenu(QMenu& menu) override;
    void PumpMessages() override;
    QString TempFolder() override;
    void WriteTextFile(const QString& path, const QStringList& lines) override;
    void DeleteFile(const QString& path) override;
    bool FileExists(const QString& path) override;
    void SavePicture(const QImage& picture, const QString& path) override;
    QImage LoadPicture(const QString& path) override;
    void ChangeDriveAndFolder(const QString& folder) override;
};

} // namespace vellum::outside
