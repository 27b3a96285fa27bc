// The shadow call stack: the program's routines announce themselves on entry, so that the
// error handler can name the active routines and their source lines (ProcName, ProcLine).
//
// Entering a routine costs one store into a thread-local ring of frames and one increment;
// leaving it one decrement. The ring keeps the innermost kMaxRecordedFrames routines, however
// deep the stack. A frame is written before the depth grows, so a signal handler on the same
// thread always reads complete frames.
#ifndef IVARSCAN_PLATFORM_CALL_STACK_H_
#define IVARSCAN_PLATFORM_CALL_STACK_H_

#include <atomic>

namespace ivarscan {

struct RoutineFrame {
  const char* name;  // static text
  int line;          // source line of the routine's entry, 0 = none
};

namespace call_stack_internal {

inline constexpr int kMaxRecordedFrames = 256;

struct ShadowStack {
  RoutineFrame frames[kMaxRecordedFrames];
  int depth;
};

extern thread_local constinit ShadowStack shadow_stack;

}  // namespace call_stack_internal

// Registers a routine for the lifetime of the object; use IVARSCAN_ROUTINE.
class RoutineScope {
 public:
  RoutineScope(const char* name, int line) noexcept {
    auto& stack = call_stack_internal::shadow_stack;
    stack.frames[stack.depth % call_stack_internal::kMaxRecordedFrames] = {name, line};
    std::atomic_signal_fence(std::memory_order_release);
    ++stack.depth;
  }
  ~RoutineScope() { --call_stack_internal::shadow_stack.depth; }
  RoutineScope(const RoutineScope&) = delete;
  RoutineScope& operator=(const RoutineScope&) = delete;
};

// Put at the top of a routine: IVARSCAN_ROUTINE("REPORTAPPDUP"); records the name and the
// line of the macro until the routine returns or unwinds.
#define IVARSCAN_ROUTINE(name) \
  const ::ivarscan::RoutineScope ivarscan_routine_scope_((name), __LINE__)

// The number of routines active on this thread.
int CallDepth();

// Name of the n-th active routine counted outward from the innermost (n = 1); empty text
// when there is no such routine or it lies beyond the innermost kMaxRecordedFrames.
// Async-signal-safe.
const char* ProcName(int level);

// Source line of the n-th active routine (n = 1 the innermost); 0 = none. Async-signal-safe.
int ProcLine(int level);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_CALL_STACK_H_
