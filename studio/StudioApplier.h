#pragma once

#include <outside/Applier.h>

namespace vellum::studio {

// The studio's applier. The key-frame tools consult it once they arrive; it holds nothing yet.
class StudioApplier final : public outside::Applier
{};

} // namespace vellum::studio
