#pragma once

#include "AutotestExport.h"
#include "Forward.h"

namespace vellum::animation {

// What the operation key set works on for a selected component: the light a light marker
// stands for, the camera of a camera marker, or else the component's keyframe operation.
enum class SecondKeySet
{
    Light,
    Camera,
    Operation
};

VELLUM_AUTOTEST_EXPORT SecondKeySet secondKeySetOf(outside::Shape& component);

} // namespace vellum::animation
