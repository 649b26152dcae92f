#pragma once

#include "VellumSGExport.h"

#include <QColor>
#include <QMatrix4x4>
#include <QVector3D>

namespace vellum::sg {

// What the operations acting on one shape make of it, in the shape's own frame: it is spun
// about its local Y axis, then scaled, and drawn in the resulting colour.
struct VELLUMSG_EXPORT ShapeEffect
{
    QVector3D scale{1.0f, 1.0f, 1.0f};
    float spinDegrees = 0.0f;
    QColor colour;

    // Operations combine in the order they are added: scales multiply, spins add, and each
    // colour blend starts from the colour the previous ones left.
    void add(int type, float amount, const QColor& tint);
    bool changesShape() const { return spinDegrees != 0.0f || scale != QVector3D(1, 1, 1); }
    // To be applied after the shape's world transform.
    QMatrix4x4 localTransform() const;
};

} // namespace vellum::sg
