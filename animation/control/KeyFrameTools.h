#pragma once

#include "KeyRule.h"

#include <cstdint>
#include <functional>

namespace vellum::common {
class OptionGroup;
class XPButton;
} // namespace vellum::common

namespace vellum::outside {
class Keyframed;
}

namespace vellum::animation {

class AnimationPrivate;
struct SelectedOperation;

// One tool set of band 2: three options, a repeat toggle and two copy buttons, and the option
// that was pressed after the last update (-1: none).
struct ToolSet
{
    common::OptionGroup* options = nullptr;
    common::XPButton* repeat = nullptr;
    common::XPButton* previous = nullptr;
    common::XPButton* next = nullptr;
    std::int32_t remembered = -1;
};

// The key-frame tools show what is true of the active component at the current frame.
class KeyFrameTools
{
public:
    explicit KeyFrameTools(AnimationPrivate& panel);

    void ButtonsEnable();

    ToolSet keyFrames;  // of the component's group
    ToolSet operations; // of the selected light, camera or keyframe operation

private:
    void ApplyKeyFrameRules(bool operationSelected);
    void UpdateKeyFrameTools();
    void UpdateLightKeyTools();
    void UpdateCameraKeyTools();
    void UpdateOperationKeyTools(bool operationSelected);
    KeyToolState operationRule(const SelectedOperation& operation, int loopMode);

    // Shared, so that what the source handed back lives as long as it is read.
    using KeySource = std::function<std::shared_ptr<outside::Keyframed>()>;
    void applyKeyRule(ToolSet& tools, const KeySource& source, int repeatThreshold);
    bool oneSelectedWhileAnimating();
    static void reset(ToolSet& tools);
    void show(ToolSet& tools, const KeyToolState& state);
    static void remember(ToolSet& tools);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
