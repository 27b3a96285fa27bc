// Running independent pieces of work on several threads with the standard library's
// threads. Results stay deterministic when each piece writes only its own slot: which
// thread runs a piece, and when, then changes nothing.
#ifndef IVARSCAN_PLATFORM_PARALLEL_H_
#define IVARSCAN_PLATFORM_PARALLEL_H_

#include <cstddef>
#include <functional>

namespace ivarscan {

// The number of threads to use when the user names none: the processor's hardware
// threads, at least 1.
unsigned DefaultThreadCount();

// Calls work(i) once for every i in [0, count) on up to `threads` threads, the calling
// thread one of them, and returns when every call has returned. With `threads` of 0 or 1
// every call runs on the calling thread, in order. Otherwise the calls run in any order
// and at once, so each may change only what belongs to its own i. When a call throws, the
// pieces not yet started are skipped and the first exception is rethrown here once every
// thread has stopped.
void ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& work);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_PARALLEL_H_
