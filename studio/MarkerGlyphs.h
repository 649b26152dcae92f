#pragma once

#include <viewport/RenderMesh.h>

namespace vellum::studio {

// Small stand-ins that let a person see and pick what has no geometry of its own.
// An octahedron of the given radius around the origin: a light.
viewport::RenderMesh makeLightGlyph(float radius = 0.25f);
// A box-shaped body with a lens pyramid opening along -Z, the way the camera looks.
viewport::RenderMesh makeCameraGlyph(float size = 0.5f);
// Three crossed bars, a jack of the given half length: a component carrying operations.
viewport::RenderMesh makeOperationGlyph(float halfLength = 0.25f);

} // namespace vellum::studio
