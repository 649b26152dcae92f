#pragma once

#include <memory>

namespace vellum::sg {
class Scene;
class SceneGraph;
} // namespace vellum::sg

namespace vellum::studio {

// The scene a person sees when the studio starts without a file: animated groups of every shape
// kind, a light with keys, a look-at, scripted motion, keyed operations and the animation camera
// on a path, over 100 frames at 10 keys per second.
std::shared_ptr<sg::Scene> createDemoScene();

// Makes the demo the graph's scene, with its animation settings, at frame 0 and unmodified.
void loadDemoScene(sg::SceneGraph& graph);

namespace demo {
inline constexpr int Keys = 100;
inline constexpr float KeysPerSecond = 10.0f;
inline constexpr int GroundGroup = 1;
inline constexpr int HopperGroup = 2;  // open path with a corner halfway
inline constexpr int OrbiterGroup = 3; // closed loop
inline constexpr int SpinnerGroup = 4; // rides on the orbiter
inline constexpr int TowerGroup = 5;
inline constexpr int WatcherGroup = 6; // looks at the orbiter
inline constexpr int CameraGroup = 7;
inline constexpr int BeaconGroup = 8; // bobs and spins by its script; its lamp pulses by another
// The operation component "Pulse" of the orbiter scales its ball and blends the ball's colour.
inline constexpr int PulseGroup = OrbiterGroup;
inline constexpr int SwellOperation = 1; // Scale
inline constexpr int BlushOperation = 2; // Colour
} // namespace demo

} // namespace vellum::studio
