#pragma once

#include "Forward.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace vellum::outside {
class Keyframed;
}

namespace vellum::animation {

class AnimationPrivate;
struct ToolSet;

// Making the current frame a key, a segment start or no key; copying the key to the
// neighbouring frame; closing and opening loops; resetting positions and orientations.
class KeyFrameEditing
{
public:
    explicit KeyFrameEditing(AnimationPrivate& panel);

    bool bGetAnimationKeyFrameStatus(const outside::GroupPtr& group, float time);

private:
    void connectWidgets();
    void onKeyFrameType(int index);
    void onOperationKeyFrameType(int index);
    void SetOperationKeyFrameType(int index);
    // Frame -1 is the current frame.
    using KeyframedPtr = std::shared_ptr<outside::Keyframed>;
    void setKeyType(const std::function<KeyframedPtr()>& item, ToolSet& tools, int index,
                    float frame = -1.0f);
    void onCopy(int step, bool operation);
    void CopyKeyFrame(std::int32_t from, std::int32_t to, bool variant);
    void CopyOperationKeyFrame(std::int32_t from, std::int32_t to, bool variant);
    void copyAcross(std::int32_t from, std::int32_t to, const std::function<void()>& notifyScene);
    void onCopyMouseDown(int button, int shift);
    void onRepeat();
    void onOperationRepeat();
    void SetOperationRepeat(int loopMode);
    // Which keys a closing loop copies to the current frame.
    enum class LoopCopies
    {
        FirstAndMiddle,
        FirstAndThirds,
        FirstOnly
    };
    void closeOrOpenLoop(outside::Keyframed& keyed, int loopMode, LoopCopies copies);
    void onReset();
    void onResetAll();
    void raiseEdited(bool redraw);

    AnimationPrivate& m_panel;
    bool m_copyVariant = false;
};

} // namespace vellum::animation
