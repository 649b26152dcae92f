#pragma once

namespace vellum::outside {

// Application mode.
enum Mode : int
{
    ModeAnimationOff = 0,
    ModeAnimation = 1
};

// The panel the host opened last; passed through only.
enum Panel : int
{
    PanelNone = 0
};

// Why the run loop runs.
enum AnimationMode : int
{
    amPlay = 1,
    amPlayFullScreen = 2,
    amRecord = 3,
    amSnapshot = 4,
    amGhost = 5,
};

// Kind codes of components (the remainder of an item code).
namespace Kind {
inline constexpr int Group = 10;
inline constexpr int Operation = 11;
inline constexpr int Light = 60;
inline constexpr int LightLast = 79;
inline constexpr int Camera = 80;
} // namespace Kind

} // namespace vellum::outside
