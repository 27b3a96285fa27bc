#include "platform/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace ivarscan {

unsigned DefaultThreadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

void ParallelFor(std::size_t count, unsigned threads,
                 const std::function<void(std::size_t)>& work) {
  if (threads <= 1 || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) work(i);
    return;
  }
  // Each thread takes the next piece not yet taken, so that pieces of uneven size spread
  // evenly over the threads.
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr first_failure;
  std::mutex failure_mutex;
  auto take_pieces = [&] {
    for (std::size_t i; !failed.load(std::memory_order_relaxed) && (i = next++) < count;) {
      try {
        work(i);
      } catch (...) {
        std::lock_guard lock(failure_mutex);
        if (!first_failure) first_failure = std::current_exception();
        failed = true;
      }
    }
  };
  const std::size_t helpers = std::min<std::size_t>(threads, count) - 1;
  std::vector<std::thread> pool;
  pool.reserve(helpers);
  for (std::size_t t = 0; t < helpers; ++t) {
    try {
      pool.emplace_back(take_pieces);
    } catch (const std::system_error&) {
      break;  // the system gives no more threads: the ones there are share the work
    }
  }
  take_pieces();
  for (std::thread& thread : pool) thread.join();
  if (first_failure) std::rethrow_exception(first_failure);
}

}  // namespace ivarscan
