#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace vellum::studio {

// The studio's per-user preferences: for now, the raytracer's executable. Empty means the
// "povray" found on PATH.
class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    // Reads and writes the settings store of the registry key.
    explicit PreferencesDialog(QString registryKey, QWidget* parent = nullptr);

    void accept() override;

private:
    void browse();
    void showWhatIsUsed();

    QString m_registryKey;
    QLineEdit* m_raytracer = nullptr;
    QLabel* m_used = nullptr;
};

} // namespace vellum::studio
