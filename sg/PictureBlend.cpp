#include "PictureBlend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellum::sg {

void blendEightEqually(const std::array<const std::uint8_t*, 8>& sources, std::uint8_t* target,
                       std::size_t bytes)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // 16 bytes at a time, widened to 16-bit sums so that the mean is exact.
    const __m128i zero = _mm_setzero_si128();
    const __m128i rounding = _mm_set1_epi16(4);
    for (; i + 16 <= bytes; i += 16) {
        __m128i low = rounding;
        __m128i high = rounding;
        for (const std::uint8_t* source : sources) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
            low = _mm_add_epi16(low, _mm_unpacklo_epi8(v, zero));
            high = _mm_add_epi16(high, _mm_unpackhi_epi8(v, zero));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i),
                         _mm_packus_epi16(_mm_srli_epi16(low, 3), _mm_srli_epi16(high, 3)));
    }
#endif
    for (; i < bytes; ++i) {
        unsigned sum = 4;
        for (const std::uint8_t* source : sources)
            sum += source[i];
        target[i] = std::uint8_t(sum >> 3);
    }
}

} // namespace vellum::sg
