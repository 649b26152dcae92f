#pragma once

#include <QString>

namespace vellum::sg {
struct AnimationChange;
class Scene;
} // namespace vellum::sg

namespace vellum::studio {

// What a person would call the change, read from the change itself ("Add Key (Tower)",
// "Close Loop (Lamp)", "Change Animation Length"), so that every edit gets a name however it
// was made.
QString undoStepName(const sg::AnimationChange& change, const sg::Scene& scene);

} // namespace vellum::studio
