#pragma once

#include "Forward.h"
#include "Scripting.h"

#include <QString>
#include <cstdint>

namespace vellum::outside {

// A component of the scene as the selection hands it out: a shape in a group, or a marker
// standing for a light (kind category 60), the animation camera (kind 80) or a keyframe
// operation (kind 11).
class Shape : public Scripted
{
public:
    virtual std::int32_t Kind() = 0;
    virtual QString Name() = 0;
    virtual std::int32_t Code() = 0;
    virtual GroupPtr ParentGroup() = 0;
    virtual std::int32_t LightLink() = 0;
    virtual std::int32_t ObjectLink() = 0;
    virtual bool RefreshAlways() = 0;

    // The copy taken when animation mode began, or nullptr.
    virtual ShapePtr AnimationBackup() = 0;
    virtual void setAnimationBackup(const ShapePtr& backup) = 0;
    virtual void CopyFrom(const ShapePtr& source) = 0;
    virtual void PrepareRestore() = 0;
};

} // namespace vellum::outside
