// Checks that work grows in proportion to its input by comparing two timings of it, so
// that a busy machine, which slows both runs alike, cannot fail the check; absolute
// figures belong in the benchmarks.
#ifndef IVARSCAN_PLATFORM_TESTING_GROWTH_H_
#define IVARSCAN_PLATFORM_TESTING_GROWTH_H_

#include <algorithm>
#include <chrono>
#include <limits>

namespace ivarscan {

// Seconds taken by the fastest of `runs` calls of `work`.
template <typename Work>
double FastestSeconds(Work&& work, int runs = 3) {
  double fastest = std::numeric_limits<double>::infinity();
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    fastest = std::min(fastest, took.count());
  }
  return fastest;
}

// How many times longer `large` takes than `small`, each timed at its fastest. When the
// large input is k times the small one, linear work gives about k and quadratic work about
// k squared; a check allows about twice k, which keeps it steady on a busy machine.
template <typename Small, typename Large>
double GrowthOf(Small&& small, Large&& large) {
  const double small_seconds = std::max(FastestSeconds(small), 1e-6);
  return FastestSeconds(large) / small_seconds;
}

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_TESTING_GROWTH_H_
