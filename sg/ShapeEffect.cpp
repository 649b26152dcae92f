#include "ShapeEffect.h"

#include "OperationType.h"

#include <algorithm>

namespace vellum::sg {

namespace {

QColor blended(const QColor& from, const QColor& to, float amount)
{
    const float t = std::clamp(amount, 0.0f, 1.0f);
    const auto mix = [t](float a, float b) { return a + (b - a) * t; };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()), from.alphaF());
}

} // namespace

void ShapeEffect::add(int type, float amount, const QColor& tint)
{
    switch (type) {
    case OperationType::Scale:
        scale *= amount;
        break;
    case OperationType::Colour:
        colour = blended(colour, tint, amount);
        break;
    case OperationType::Spin:
        spinDegrees += amount;
        break;
    case OperationType::Stretch:
        scale.setY(scale.y() * amount);
        break;
    default:
        break;
    }
}

QMatrix4x4 ShapeEffect::localTransform() const
{
    QMatrix4x4 local;
    local.rotate(spinDegrees, 0.0f, 1.0f, 0.0f);
    local.scale(scale);
    return local;
}

} // namespace vellum::sg
