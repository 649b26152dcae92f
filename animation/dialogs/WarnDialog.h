#pragma once

#include "VellumAnimationExport.h"

#include <QDialog>
#include <exception>

class QCheckBox;
class QLabel;

namespace vellum::animation {

// One hint with a switch to stop it: every close stores the switch under the hint's entry in
// the "Tips" section, so that a host can skip that hint from then on. Hosts answer the panel's
// evtReqWarn with it.
class VELLUMANIMATION_EXPORT WarnDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WarnDialog(QWidget* owner = nullptr);

    void setSWarning(const QString& value) { m_warning = value; }
    void setSWarningRegistryEntry(const QString& value) { m_entry = value; }
    void setSApplicationRegistryKey(const QString& value) { m_applicationKey = value; }

    // Shows the hint modally; a switch that could not be stored is passed on afterwards.
    static void Show(QWidget* owner, const QString& applicationKey, const QString& warning,
                     const QString& entry);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void load();
    void storeSwitch();

    QLabel* m_text = nullptr;
    QCheckBox* m_continue = nullptr;
    QString m_warning;
    QString m_entry;
    QString m_applicationKey;
    bool m_loaded = false;
    std::exception_ptr m_unloadFailure;
};

} // namespace vellum::animation
