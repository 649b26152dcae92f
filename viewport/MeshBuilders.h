#pragma once

#include "RenderMesh.h"
#include "VellumViewportExport.h"

namespace vellum::viewport {

// Unit-sized meshes centred on the origin: the box spans -0.5..0.5 on every axis, the sphere and
// the cylinder have diameter 1 (the cylinder's axis is y, height 1), the plane lies in y = 0.
VELLUMVIEWPORT_EXPORT RenderMesh makeBox();
VELLUMVIEWPORT_EXPORT RenderMesh makeSphere(int segments = 32, int rings = 16);
VELLUMVIEWPORT_EXPORT RenderMesh makeCylinder(int segments = 32);
VELLUMVIEWPORT_EXPORT RenderMesh makePlane(int subdivisions = 1);

} // namespace vellum::viewport
