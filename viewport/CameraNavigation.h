#pragma once

#include "RenderCamera.h"
#include "VellumViewportExport.h"

#include <QVector3D>

namespace vellum::viewport {

// Turns the camera about the pivot: yaw around the world's vertical, pitch around the camera's
// right axis. The pitch stops short of straight up or down so the view never flips over, and
// the camera comes out level (no roll).
VELLUMVIEWPORT_EXPORT RenderCamera orbitCamera(const RenderCamera& camera, const QVector3D& pivot,
                                               float yawDegrees, float pitchDegrees);

// Moves the camera towards (factor < 1) or away from the pivot; an orthographic camera's view
// height scales with it, so both kinds zoom alike.
VELLUMVIEWPORT_EXPORT RenderCamera dollyCamera(const RenderCamera& camera, const QVector3D& pivot,
                                               float factor);

// Shifts the camera within its view plane by right and up amounts in world units.
VELLUMVIEWPORT_EXPORT RenderCamera panCamera(const RenderCamera& camera, float right, float up);

// Where the camera looks at the distance given: the pivot that orbit and dolly turn about.
VELLUMVIEWPORT_EXPORT QVector3D pivotAhead(const RenderCamera& camera, float distance);

} // namespace vellum::viewport
