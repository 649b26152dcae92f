#include "PictureBlend.h"

#include "JobPipeline.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

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

void blendRange(const std::array<const std::uint8_t*, 8>& s, std::uint8_t* target,
                std::size_t begin, std::size_t end)
{
    std::size_t i = begin;
#if defined(__SSE2__)
    for (; i + 16 <= end; i += 16) {
        const __m128i low =
            meanDown(meanUp(load(s[0], i), load(s[1], i)), meanUp(load(s[2], i), load(s[3], i)));
        const __m128i high =
            meanDown(meanUp(load(s[4], i), load(s[5], i)), meanUp(load(s[6], i), load(s[7], i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), meanUp(low, high));
    }
#endif
    for (; i < end; ++i)
        target[i] = meanUp(meanDown(meanUp(s[0][i], s[1][i]), meanUp(s[2][i], s[3][i])),
                           meanDown(meanUp(s[4][i], s[5][i]), meanUp(s[6][i], s[7][i])));
}

// One core cannot draw all the memory bandwidth, so a large blend is shared with a second core
// when that one is free. Both take stripes from one counter: a helper that starts late only
// takes fewer stripes, and one that comes after the end finds none, so the blend never waits
// for a helper that is not already at work.
constexpr std::size_t SharedFromBytes = std::size_t(1) << 20;
constexpr std::size_t Stripe = std::size_t(64) << 10;

struct SharedBlend
{
    std::array<const std::uint8_t*, 8> sources;
    std::uint8_t* target;
    std::size_t bytes;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
};

void blendStripes(SharedBlend& work)
{
    for (;;) {
        const std::size_t begin = work.next.fetch_add(Stripe);
        if (begin >= work.bytes)
            return;
        const std::size_t end = std::min(begin + Stripe, work.bytes);
        blendRange(work.sources, work.target, begin, end);
        work.done.fetch_add(end - begin, std::memory_order_release);
    }
}

struct SecondCore
{
    std::unique_ptr<JobPipeline> pipeline = std::thread::hardware_concurrency() > 1
                                                ? std::make_unique<JobPipeline>(1)
                                                : nullptr;
    std::atomic<bool> idle{true};
};

SecondCore& secondCore()
{
    static SecondCore core;
    return core;
}

// Hands the work to the second core unless it is still busy with an earlier blend.
void offerToSecondCore(const std::shared_ptr<SharedBlend>& work)
{
    SecondCore& core = secondCore();
    if (!core.pipeline || !core.idle.exchange(false))
        return;
    core.pipeline->submit([work, &core] {
        blendStripes(*work);
        core.idle = true;
    });
}

} // namespace

void blendEightEqually(const std::array<const std::uint8_t*, 8>& sources, std::uint8_t* target,
                       std::size_t bytes)
{
    if (bytes < SharedFromBytes) {
        blendRange(sources, target, 0, bytes);
        return;
    }
    const auto work = std::make_shared<SharedBlend>(sources, target, bytes);
    offerToSecondCore(work);
    blendStripes(*work);
    while (work->done.load(std::memory_order_acquire) < bytes)
        std::this_thread::yield(); // the helper's last stripe
}

} // namespace vellum::sg
