#pragma once

#include "AutotestExport.h"
#include "Forward.h"

namespace vellum::animation {

// Rebuilds the scene's lists of animated components from the scene graph's component list:
// every component found with a group is handed back to the list for its kind. bChanged says
// whether anything was handed back. A camera without a group is logged and skipped.
VELLUM_AUTOTEST_EXPORT void RegisterAnimatedComponents(outside::SceneGraph& sceneGraph,
                                                       outside::Scene& scene, bool& bChanged);

} // namespace vellum::animation
