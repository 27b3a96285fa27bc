#include "platform/call_stack.h"

namespace ivarscan {
namespace call_stack_internal {

thread_local constinit ShadowStack shadow_stack{};

}  // namespace call_stack_internal

namespace {

const RoutineFrame* FrameAt(int level) {
  const auto& stack = call_stack_internal::shadow_stack;
  const int index = stack.depth - level;
  if (level < 1 || index < 0 || level > call_stack_internal::kMaxRecordedFrames) return nullptr;
  return &stack.frames[index % call_stack_internal::kMaxRecordedFrames];
}

}  // namespace

int CallDepth() { return call_stack_internal::shadow_stack.depth; }

const char* ProcName(int level) {
  const RoutineFrame* frame = FrameAt(level);
  return frame != nullptr && frame->name != nullptr ? frame->name : "";
}

int ProcLine(int level) {
  const RoutineFrame* frame = FrameAt(level);
  return frame != nullptr ? frame->line : 0;
}

}  // namespace ivarscan
