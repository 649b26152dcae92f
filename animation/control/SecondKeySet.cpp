#include "SecondKeySet.h"

#include "Enumerations.h"
#include "ModuleState.h"
#include "RenderUtility.h"
#include "Shape.h"

namespace vellum::animation {

SecondKeySet secondKeySetOf(outside::Shape& component)
{
    const std::int32_t kind = component.Kind();
    std::int32_t category = 0;
    renderUtility().KindCategory(kind, category);
    if (category == outside::Kind::Light)
        return SecondKeySet::Light;
    return kind == outside::Kind::Camera ? SecondKeySet::Camera : SecondKeySet::Operation;
}

} // namespace vellum::animation
