// The playback loop poses every group on every frame: it must neither allocate nor crawl.
#include <QElapsedTimer>
#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <sg/SceneGraph.h>

namespace {
std::atomic<long> allocations{0};
} // namespace

// Under AddressSanitizer the sanitizer owns the allocator (and slows every call), so allocations
// are counted and timed only in ordinary builds.
#if defined(__SANITIZE_ADDRESS__)
#define VELLUM_MEASURES_PLAYBACK_COST 0
#else
#define VELLUM_MEASURES_PLAYBACK_COST 1

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#endif

using namespace vellum::sg;

namespace {

TEST(PlaybackCost, ThousandAnimatedGroupsPoseWithoutAllocatingWellWithinAMillisecond)
{
    if (!VELLUM_MEASURES_PLAYBACK_COST)
        GTEST_SKIP() << "allocations cannot be counted under the address sanitizer";
    SceneGraph graph;
    const auto scene = graph.scene();
    std::vector<std::shared_ptr<Group>> groups;
    std::shared_ptr<Group> parent;
    for (int number = 1; number <= 1000; ++number) {
        // Some depth, so that moving a parent has descendants to invalidate.
        parent = scene->addGroup(number, QString(), number % 10 == 1 ? nullptr : parent);
        for (int k = 0; k < 8; ++k) {
            parent->setPose(Pose{QVector3D(float(k), float(number % 7), float(k * k)),
                                 QQuaternion::fromEulerAngles(0, 30.0f * float(k), 0)});
            parent->SetKeyFrame(k == 0 || k == 4, float(k * 12));
        }
        parent->setLoopMode(number % 2 ? vellum::outside::LoopClosed : vellum::outside::LoopOpen);
        groups.push_back(parent);
    }
    const auto& collection = scene->Groups();

    qint64 bestNs = std::numeric_limits<qint64>::max();
    float frame = 0.37f;
    const long before = allocations.load();
    for (int iteration = 0; iteration < 50; ++iteration) {
        QElapsedTimer clock;
        clock.start();
        for (const auto& group : collection)
            group->ApplyFrame(frame);
        bestNs = std::min(bestNs, clock.nsecsElapsed());
        frame += 1.618f;
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_LT(bestNs, 1'000'000) << "best iteration took " << bestNs << " ns";
    RecordProperty("bestIterationNs", std::to_string(bestNs));
}

} // namespace
