#pragma once

#include <outside/Enumerations.h>

namespace vellum::sg {

// Kind codes of shapes. Geometry uses codes of its own; markers use the codes the panel knows.
namespace ShapeKind {
inline constexpr int Box = 20;      // dimensions: width (x), height (y), depth (z)
inline constexpr int Sphere = 21;   // dimensions.x(): radius
inline constexpr int Cylinder = 22; // dimensions.x(): radius, y(): height along local Y
inline constexpr int Plane = 23;    // dimensions: width (x) by depth (z), facing +Y
inline constexpr int LightMarker = outside::Kind::Light;   // LightLink: the light's Code
inline constexpr int CameraMarker = outside::Kind::Camera; // ObjectLink: the camera's ID
// Carries keyframe operations; ObjectLink: its own Code.
inline constexpr int OperationMarker = outside::Kind::Operation;
} // namespace ShapeKind

inline bool isGeometricKind(int kind)
{
    return kind >= ShapeKind::Box && kind <= ShapeKind::Plane;
}

inline bool isKnownShapeKind(int kind)
{
    return isGeometricKind(kind) || kind == ShapeKind::LightMarker ||
           kind == ShapeKind::CameraMarker || kind == ShapeKind::OperationMarker;
}

} // namespace vellum::sg
