#pragma once

#include "AutotestExport.h"
#include "Forward.h"
#include "OperationTableSet.h"

#include <cstdint>
#include <optional>

namespace vellum::animation {

// The keyframe operation that the active component stands for.
struct SelectedOperation
{
    outside::ScenePtr scene;
    outside::ShapePtr component;
    std::int32_t number = 0;
};

// The active component's operation when it is an operation component (kind 11) with an active
// operation; nothing otherwise.
VELLUM_AUTOTEST_EXPORT std::optional<SelectedOperation> selectedOperation();

// The operation's entries when it can be keyed from the panel: it joins exactly two components
// and one of the applier's checks knows it; nothing otherwise.
VELLUM_AUTOTEST_EXPORT std::optional<outside::OperationEntry>
keyableEntry(const SelectedOperation& operation);

// The operation object itself, from the scene's operation list.
VELLUM_AUTOTEST_EXPORT outside::OperationPtr operationObject(const SelectedOperation& operation);

} // namespace vellum::animation
