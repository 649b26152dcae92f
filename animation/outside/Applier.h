#pragma once

namespace vellum::outside {

// The host's applier, bound beside the scene graph; the key-frame tools consult it.
class Applier
{
public:
    virtual ~Applier() = default;
};

} // namespace vellum::outside
