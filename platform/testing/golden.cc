#include "platform/testing/golden.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace ivarscan {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The first line at which `a` and `b` differ, 1-based, for a failure message.
std::size_t FirstDifferentLine(const std::string& a, const std::string& b) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i) {
    if (a[i] == '\n') ++line;
  }
  return line;
}

}  // namespace

std::string SourcePath(const std::string& relative) {
  return EnvironmentValue("IVARSCAN_SOURCE_DIR") + "/" + relative;
}

::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& actual) {
  const std::string path = SourcePath("tests/golden/" + name);
  if (EnvironmentValue("IVARSCAN_UPDATE_GOLDEN") == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return ::testing::AssertionSuccess() << "wrote " << path;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) return ::testing::AssertionFailure() << "cannot read " << path;
  std::ostringstream expected;
  expected << file.rdbuf();
  if (expected.str() == actual) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "differs from " << path << " from line " << FirstDifferentLine(expected.str(), actual)
         << " on:\n--- expected\n"
         << expected.str() << "\n--- actual\n"
         << actual;
}

}  // namespace ivarscan
