#pragma once

#include "AutotestExport.h"
#include "Forward.h"

#include <QImage>
#include <QString>
#include <cstdint>

namespace vellum::animation {

// Has the raytracer render the scene as it stands, at width x height with the anti-aliasing
// level (0 none, 1 = 4x, 2 = 16x), and waits for it. The picture receives the rendered image;
// scenePath the short path of the scene file that was written. Raytracing failures are
// reported to the user here and recorded in the application state's RaytraceFailed; a failed
// image also stops a running animation. No temporary file stays behind.
VELLUM_AUTOTEST_EXPORT void RaytraceFrame(const outside::ScenePtr& scene, std::int32_t width,
                                          std::int32_t height, std::int32_t antiAlias,
                                          QImage& picture, QString& scenePath);

// The folder of this library's own binary, where a raytrace leaves the current folder.
VELLUM_AUTOTEST_EXPORT QString controlLibraryFolder();

} // namespace vellum::animation
