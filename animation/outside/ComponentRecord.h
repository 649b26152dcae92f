#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum::outside {

// One entry of the scene graph's component list: 8 bytes, a kind code and the component's ID.
// Kind code and ID make the component's item code (ID x 100 + kind).
struct ComponentRecord
{
    std::int32_t kind = 0;
    std::int32_t id = 0;

    friend bool operator==(const ComponentRecord&, const ComponentRecord&) = default;
};

static_assert(sizeof(ComponentRecord) == 8);
static_assert(offsetof(ComponentRecord, id) == 4);

} // namespace vellum::outside
