#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace vellum::outside {

// Logging, file dialogs and paths.
class AppUtility
{
public:
    virtual ~AppUtility() = default;
    // Appends a line to the application log.
    virtual void WriteLine(const QString& line) = 0;

    // What the file dialogs remember between uses (the last folder), under the settings key.
    virtual void LoadDialogState(const QString& registryKey) = 0;
    virtual void SaveDialogState(const QString& registryKey) = 0;
    // Asks for a file to write. result is 5 when one was chosen (fileName then holds it); any
    // other value means the dialog was cancelled.
    virtual void ShowSaveDialog(QWidget* owner, QString& fileName, const QString& description,
                                const QString& extension, bool confirmOverwrite,
                                std::int32_t& result) = 0;
    // The folder keeps its trailing separator; the extension comes without its dot.
    virtual void SplitPath(const QString& path, QString& baseName, QString& folder,
                           QString& extension) = 0;
    // Full path of the raytracer's executable; empty when none is configured or found.
    virtual QString RaytracerPath() = 0;
    // The form of a path that older tools accept; on most systems the path itself.
    virtual QString ShortPath(const QString& path) = 0;
};

// ShowSaveDialog's result when a file was chosen.
inline constexpr std::int32_t SaveDialogChosen = 5;

} // namespace vellum::outside
