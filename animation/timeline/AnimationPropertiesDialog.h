#pragma once

#include "AutotestExport.h"

#include <QDialog>

namespace vellum::common {
class UpDownText;
}

namespace vellum::animation {

class AnimationPrivate;

// The animation's length in keys and its keys per second. Every close stores both in the
// animation settings (a text that is not a number stores nothing) and registers the animated
// components again; the dialog reopens where it was closed.
class VELLUM_AUTOTEST_EXPORT AnimationPropertiesDialog : public QDialog
{
public:
    explicit AnimationPropertiesDialog(QWidget* owner);

    void done(int result) override;

private:
    void build();
    void load();
    void restoreDefaults();
    void unload();
    void storeSettings();

    common::UpDownText* m_keyFrames = nullptr;
    common::UpDownText* m_keysPerSecond = nullptr;
};

// The panel's properties button: the dialog, then the slider and the timeline for the new length.
void openAnimationProperties(AnimationPrivate& panel);

} // namespace vellum::animation
