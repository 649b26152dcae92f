#pragma once

#include "AutotestExport.h"
#include "OptionsDialogProfile.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace vellum::common {
class TextBox;
}

namespace vellum::animation {

// The options dialog shown before a recording or a snapshot: image size (a preset or custom),
// anti-aliasing, raytracing and, for a recording, frame rate, bitmap series and motion blur, with
// a preview of the animation camera's view. A valid OK hands the choice to the recording
// settings and remembers it for the user; leaving it any other way marks the options cancelled.
class VELLUM_AUTOTEST_EXPORT OptionsDialog : public QDialog
{
public:
    OptionsDialog(const OptionsDialogProfile& profile, QWidget* owner);
    ~OptionsDialog() override;

    void reject() override; // Cancel, Escape and the close box

private:
    void build();
    QGroupBox* buildGeneral();
    QGroupBox* buildPreview();
    void showPreview();
    void fillLists();
    void offerRaytracing();
    void loadSettings();
    void enableSizeMode(int option);
    void choosePreset(int index);
    void correctWidth();
    void correctHeight();
    void correctFps();
    void accept() override;
    bool refused();
    void storeSettings();

    const OptionsDialogProfile& m_profile;
    QString m_previewFile;
    QGroupBox* m_general = nullptr;
    QComboBox* m_size = nullptr;
    QButtonGroup* m_sizeMode = nullptr;
    common::TextBox* m_width = nullptr;
    common::TextBox* m_height = nullptr;
    common::TextBox* m_fps = nullptr;
    QComboBox* m_antiAliasing = nullptr;
    QCheckBox* m_raytrace = nullptr;
    QCheckBox* m_saveAsImages = nullptr;
    QCheckBox* m_motionBlur = nullptr;
    QLabel* m_preview = nullptr;
};

// The corrections of the size and frame-rate boxes, applied when an edit is completed. A text
// that is not a number becomes the box's default.
VELLUM_AUTOTEST_EXPORT QString correctedSide(const QString& text, int maximum,
                                             const QString& fallback);
VELLUM_AUTOTEST_EXPORT QString correctedFps(const QString& text);

} // namespace vellum::animation
