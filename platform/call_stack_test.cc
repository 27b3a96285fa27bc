#include "platform/call_stack.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace ivarscan {
namespace {

int inner_line = 0;
int inner_seen_line = -1;

void Inner(std::string* seen) {
  IVARSCAN_ROUTINE("INNER");
  inner_line = __LINE__ - 1;
  inner_seen_line = ProcLine(1);
  *seen = std::string(ProcName(1)) + "/" + ProcName(2) + "/" + ProcName(3);
}

void Outer(std::string* seen) {
  IVARSCAN_ROUTINE("OUTER");
  Inner(seen);
}

void Thrower() {
  IVARSCAN_ROUTINE("THROWER");
  throw std::runtime_error("unwind");
}

void Leaf() {
  IVARSCAN_ROUTINE("LEAF");
  constexpr int kCapacity = call_stack_internal::kMaxRecordedFrames;
  EXPECT_EQ(CallDepth(), kCapacity + 11);
  // The innermost routines are known however deep the stack.
  EXPECT_STREQ(ProcName(1), "LEAF");
  EXPECT_GT(ProcLine(1), 0);
  for (int level = 2; level <= kCapacity; ++level) EXPECT_STREQ(ProcName(level), "RECURSE");
  EXPECT_STREQ(ProcName(kCapacity + 1), "");
  EXPECT_EQ(ProcLine(kCapacity + 1), 0);
}

void Recurse(int depth) {
  IVARSCAN_ROUTINE("RECURSE");
  if (depth > 1) {
    Recurse(depth - 1);
    return;
  }
  Leaf();
}

TEST(CallStackTest, NamesActiveRoutinesInnermostFirst) {
  std::string seen;
  Outer(&seen);
  EXPECT_EQ(seen, "INNER/OUTER/");
  EXPECT_EQ(CallDepth(), 0);
}

TEST(CallStackTest, RecordsTheLineOfTheMacro) {
  IVARSCAN_ROUTINE("TEST");
  const int line = __LINE__ - 1;
  EXPECT_EQ(ProcLine(1), line);
  EXPECT_EQ(ProcLine(2), 0);
  EXPECT_STREQ(ProcName(0), "");
  std::string seen;
  Inner(&seen);
  EXPECT_EQ(inner_seen_line, inner_line);
  EXPECT_EQ(ProcLine(1), line);
}

TEST(CallStackTest, UnwindingPopsFrames) {
  EXPECT_THROW(Thrower(), std::runtime_error);
  EXPECT_EQ(CallDepth(), 0);
  EXPECT_STREQ(ProcName(1), "");
}

TEST(CallStackTest, TheInnermostRoutinesAreKnownHoweverDeepTheStack) {
  Recurse(call_stack_internal::kMaxRecordedFrames + 10);
  EXPECT_EQ(CallDepth(), 0);
}

}  // namespace
}  // namespace ivarscan
