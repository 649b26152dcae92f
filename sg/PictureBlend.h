#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vellum::sg {

// Each byte of the target becomes the mean of that byte in the 8 sources, within 1 (and exact
// where the sources agree). Channels of
// 32-bit pixels are bytes, so this blends pixels channel by channel without unpacking them.
void blendEightEqually(const std::array<const std::uint8_t*, 8>& sources, std::uint8_t* target,
                       std::size_t bytes);

} // namespace vellum::sg
