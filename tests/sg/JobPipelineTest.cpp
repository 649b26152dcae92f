#include "ErrorNumber.h"

#include <future>
#include <gtest/gtest.h>
#include <numeric>
#include <sg/JobPipeline.h>

using namespace vellum;
using vellum::sg::JobPipeline;
using vellum::testing::errorNumberOf;

TEST(JobPipeline, RunsJobsInOrderAndTheFirstFailureStopsTheRestAndReachesTheCaller)
{
    JobPipeline pipeline(2);
    std::vector<int> done;
    for (int i = 0; i < 50; ++i)
        pipeline.submit([&done, i] { done.push_back(i); });
    pipeline.wait();
    std::vector<int> expected(50);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(done, expected);

    std::promise<void> started;
    std::promise<void> gate;
    pipeline.submit([&started, opened = gate.get_future().share()] {
        started.set_value();
        opened.wait();
    });
    started.get_future().wait(); // the queue is empty again: two more jobs fit
    pipeline.submit([] { throw Error(ErrorNumber::PathFileAccess, QStringLiteral("disk full")); });
    bool droppedRan = false;
    pipeline.submit([&] { droppedRan = true; });
    gate.set_value();
    EXPECT_EQ(errorNumberOf([&] { pipeline.wait(); }), ErrorNumber::PathFileAccess);
    EXPECT_EQ(errorNumberOf([&] { pipeline.submit([] {}); }), ErrorNumber::PathFileAccess);
    EXPECT_FALSE(droppedRan);
}
