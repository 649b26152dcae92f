#pragma once

#include "Forward.h"
#include "Keyframed.h"
#include "Scripting.h"
#include "Vector3.h"

#include <QList>
#include <QString>
#include <cstdint>

namespace vellum::outside {

// A group of the scene: a node of the hierarchy with a pose along its keyframed path.
class Group : public Keyframed, public Scripted
{
public:
    // Group number x 100 + 10; also the group's key (as decimal text) in the scene's Groups.
    virtual std::int32_t Code() = 0;
    virtual std::int32_t Number() = 0;
    virtual QString Name() = 0;
    // The shapes placed in this group, in the group's order.
    virtual QList<ShapePtr> Shapes() = 0;

    // Poses the group at a (possibly fractional) frame.
    virtual void ApplyFrame(float frame) = 0;
    virtual void RefreshTree(bool recursive) = 0;
    // Poses the group (and with recursive its descendants) at the current frame again.
    virtual void RefreshAnimation(bool recursive) = 0;
    virtual void ResetAnimation(float frame) = 0;

    // Group number of the look-at target, 0 for none.
    virtual std::int32_t LookAtID() = 0;
    virtual void LookAt(const GroupPtr& target, std::int32_t reserved) = 0;

    // Where a camera in this group stands and looks; view may be nullptr; frame -1 is now.
    virtual void ViewPosition(const ViewPtr& view, float frame, Vector3& position) = 0;
    virtual void ViewOrientation(const ViewPtr& view, float frame, Vector3& direction,
                                 Vector3& up) = 0;
};

} // namespace vellum::outside
