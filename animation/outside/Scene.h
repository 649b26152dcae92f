#pragma once

#include "Collection.h"
#include "Forward.h"
#include "Operation.h"
#include "OperationTableSet.h"

#include <cstdint>

namespace vellum::outside {

class Scene
{
public:
    virtual ~Scene() = default;

    virtual const Collection<Shape>& Shapes() = 0;
    virtual const Collection<Light>& Lights() = 0;   // keyed by the decimal text of Code
    virtual const Collection<Camera>& Cameras() = 0; // item 1 is the animation camera
    virtual const Collection<Group>& Groups() = 0;   // keyed by the decimal text of Code
    virtual GroupPtr RootGroup() = 0;
    // The keyframe operations, keyed by the decimal text of their Number.
    virtual const Collection<Operation>& Operations() = 0;

    // The active operation of an operation component, by the component's ObjectLink; 0 for none.
    virtual std::int32_t OperationIndex(std::int32_t objectLink) = 0;
    virtual OperationTableSet OperationTables(std::int32_t objectLink) = 0;

    virtual void UpdateShape(const ShapePtr& shape, const GroupPtr& group, bool refreshAlways,
                             bool redraw, bool recalculate, bool notify) = 0;
    virtual void ShapeChanged(const ShapePtr& shape) = 0;
    virtual void GroupChanged(const GroupPtr& group) = 0;
    // Handed after ShapeChanged when a key of the component's operation is to move rather than
    // be copied.
    virtual void OperationDataChanged(const ShapePtr& component,
                                      const OperationTableSet& tables) = 0;
    virtual void CameraScriptChanged(const CameraPtr& camera) = 0;
    virtual void LightScriptChanged(const LightPtr& light) = 0;
    virtual void ShapeScriptChanged(std::int32_t sceneDeviceId, const ShapePtr& shape) = 0;
    virtual void AnimationFinished() = 0;

    // The scene's lists of the components that animate, rebuilt after the animation settings
    // change: cleared, then each component handed back to the list for its kind.
    virtual void ClearAnimatedComponents() = 0;
    virtual void AddAnimatedCamera(const CameraPtr& camera) = 0;
    virtual void AddAnimatedLight(const LightPtr& light) = 0;
    virtual void AddAnimatedOperation(const ShapePtr& component) = 0;
    virtual void AddAnimatedGroup(const GroupPtr& group) = 0;
};

} // namespace vellum::outside
