#include "PictureBlend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellum::sg {

namespace {

// The mean of 8 bytes as a tree of pairwise means, rounding up, down, then up again. Each
// result lies within 1 of the true mean, and equal bytes give that byte back, so still parts
// of a blurred picture stay exact. The tree keeps every sum in a byte: no widening, and the
// whole blend is as fast as reading its sources.
std::uint8_t meanUp(unsigned a, unsigned b)
{
    return std::uint8_t((a + b + 1) >> 1);
}

std::uint8_t meanDown(unsigned a, unsigned b)
{
    return std::uint8_t((a + b) >> 1);
}

#if defined(__SSE2__)
__m128i meanUp(__m128i a, __m128i b)
{
    return _mm_avg_epu8(a, b);
}

// Rounding down is rounding up of the complements: ~avg(~a, ~b).
__m128i meanDown(__m128i a, __m128i b)
{
    const __m128i all = _mm_set1_epi8(-1);
    return _mm_xor_si128(_mm_avg_epu8(_mm_xor_si128(a, all), _mm_xor_si128(b, all)), all);
}

__m128i load(const std::uint8_t* source, std::size_t i)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
}
#endif

} // namespace

void blendEightEqually(const std::array<const std::uint8_t*, 8>& s, std::uint8_t* target,
                       std::size_t bytes)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= bytes; i += 16) {
        const __m128i low =
            meanDown(meanUp(load(s[0], i), load(s[1], i)), meanUp(load(s[2], i), load(s[3], i)));
        const __m128i high =
            meanDown(meanUp(load(s[4], i), load(s[5], i)), meanUp(load(s[6], i), load(s[7], i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), meanUp(low, high));
    }
#endif
    for (; i < bytes; ++i)
        target[i] = meanUp(meanDown(meanUp(s[0][i], s[1][i]), meanUp(s[2][i], s[3][i])),
                           meanDown(meanUp(s[4][i], s[5][i]), meanUp(s[6][i], s[7][i])));
}

} // namespace vellum::sg
