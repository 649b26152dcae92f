#pragma once

namespace vellum::sg {

// What a keyframe operation does to its target with its amount.
namespace OperationType {
inline constexpr int Scale = 1;   // uniform scale factor
inline constexpr int Colour = 2;  // 0..1: blend of the target's colour towards the tint
inline constexpr int Spin = 3;    // degrees about the target's local Y axis
inline constexpr int Stretch = 4; // scale factor along the target's local Y only
} // namespace OperationType

inline bool isKnownOperationType(int type)
{
    return type >= OperationType::Scale && type <= OperationType::Stretch;
}

// The amount at which the operation leaves its target as it is.
inline float restAmount(int type)
{
    return type == OperationType::Scale || type == OperationType::Stretch ? 1.0f : 0.0f;
}

} // namespace vellum::sg
