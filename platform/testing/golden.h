// Golden files: the expected bytes of a text the program writes, kept under tests/golden/
// so that no rename in the code can change them along with the code.
#ifndef IVARSCAN_PLATFORM_TESTING_GOLDEN_H_
#define IVARSCAN_PLATFORM_TESTING_GOLDEN_H_

#include <string>

#include <gtest/gtest.h>

namespace ivarscan {

// The path of `relative` ('/'-separated) in the source tree that IVARSCAN_SOURCE_DIR names.
std::string SourcePath(const std::string& relative);

// Succeeds when `actual` is byte for byte the golden file `name`. With
// IVARSCAN_UPDATE_GOLDEN=1 in the environment it writes `actual` into the file instead, for
// a deliberate change of the format (the diff then shows it for review).
::testing::AssertionResult MatchesGolden(const std::string& name, const std::string& actual);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_TESTING_GOLDEN_H_
