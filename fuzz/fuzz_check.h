// Helpers shared by the fuzz targets (engine/*_fuzzer.cc, store/*_fuzzer.cc, ...).
#ifndef IVARSCAN_FUZZ_FUZZ_CHECK_H_
#define IVARSCAN_FUZZ_FUZZ_CHECK_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace ivarscan {

// Stops the run with a report when an invariant does not hold; libFuzzer then saves the
// input as a crash. Unlike assert it is not compiled out of optimised builds.
inline void FuzzCheck(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant violated: %s\n", what);
  std::abort();
}

// The fuzzer's bytes as single-byte text.
inline std::string_view FuzzText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace ivarscan

#endif  // IVARSCAN_FUZZ_FUZZ_CHECK_H_
