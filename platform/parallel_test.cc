#include "platform/parallel.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "gtest/gtest.h"

namespace ivarscan {
namespace {

TEST(ParallelForTest, CallsEveryPieceExactlyOnceForAnyThreadCount) {
  for (unsigned threads : {0u, 1u, 2u, 3u, 8u}) {
    for (std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{1000}}) {
      std::vector<std::atomic<int>> calls(count);
      ParallelFor(count, threads, [&](std::size_t i) { ++calls[i]; });
      for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(calls[i], 1) << "piece " << i << " of " << count << ", " << threads << " threads";
      }
    }
  }
}

TEST(ParallelForTest, OneThreadRunsThePiecesInOrderOnTheCallingThread) {
  std::vector<std::size_t> order;
  bool all_on_caller = true;
  const std::thread::id caller = std::this_thread::get_id();
  ParallelFor(5, 1, [&](std::size_t i) {
    order.push_back(i);
    all_on_caller = all_on_caller && std::this_thread::get_id() == caller;
  });
  EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(all_on_caller);
}

// Two pieces that each wait for the other to start can only both finish when they run
// at the same time.
TEST(ParallelForTest, SeveralThreadsRunPiecesAtTheSameTime) {
  std::mutex mutex;
  std::condition_variable changed;
  int started = 0;
  std::atomic<int> met{0};
  ParallelFor(2, 2, [&](std::size_t) {
    std::unique_lock lock(mutex);
    ++started;
    changed.notify_all();
    if (changed.wait_for(lock, std::chrono::seconds(10), [&] { return started == 2; })) ++met;
  });
  EXPECT_EQ(met, 2);
}

TEST(ParallelForTest, RethrowsAFailureAfterEveryThreadStopped) {
  for (unsigned threads : {1u, 4u}) {
    std::atomic<int> running{0};
    std::atomic<int> finished{0};
    auto work = [&](std::size_t i) {
      ++running;
      if (i == 3) {
        --running;
        throw std::runtime_error("piece 3");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      ++finished;
      --running;
    };
    EXPECT_THROW(ParallelFor(100, threads, work), std::runtime_error) << threads << " threads";
    EXPECT_EQ(running, 0) << "a piece still ran after ParallelFor returned";
    EXPECT_LT(finished, 50) << "the pieces after the failure should be skipped";
  }
}

}  // namespace
}  // namespace ivarscan
