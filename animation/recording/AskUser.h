#pragma once

#include <QString>

namespace vellum::animation {

class AnimationPrivate;
struct OptionsDialogProfile;

// What the recording and snapshot drivers ask before a run.

// Raises the hint about the animation camera, takes the preview and shows the options dialog.
// True when the dialog was left with a valid OK.
bool askForOptions(AnimationPrivate& panel, QString warning, QString warningKey,
                   const OptionsDialogProfile& profile);

// Where to save, through the host's save dialog and its remembered state. The chosen path, or
// empty when the dialog was not confirmed.
QString askForOutputFile(const QString& description, const QString& extension);

} // namespace vellum::animation
