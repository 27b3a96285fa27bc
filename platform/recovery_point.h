// Recovery points: places to which the error handler's abort outcome unwinds instead of
// ending the program. Unwinding is a C++ exception (ErrorBreak), so destructors run and
// the shadow call stack pops on the way. ErrorBreak does not derive from std::exception;
// code that catches everything (catch (...)) must rethrow it.
#ifndef IVARSCAN_PLATFORM_RECOVERY_POINT_H_
#define IVARSCAN_PLATFORM_RECOVERY_POINT_H_

#include <memory>
#include <utility>

namespace ivarscan {

class ErrorRecord;

// Carries the error record from the handler to the innermost active recovery point.
class ErrorBreak {
 public:
  explicit ErrorBreak(std::shared_ptr<ErrorRecord> record) : record_(std::move(record)) {}
  const std::shared_ptr<ErrorRecord>& record() const { return record_; }

 private:
  std::shared_ptr<ErrorRecord> record_;
};

// Marks a recovery point as active for its lifetime. Use RunToRecoveryPoint.
class RecoveryPoint {
 public:
  RecoveryPoint();
  ~RecoveryPoint();
  RecoveryPoint(const RecoveryPoint&) = delete;
  RecoveryPoint& operator=(const RecoveryPoint&) = delete;
};

// True while a recovery point is active on this thread.
bool CanBreak();

// Unwinds to the innermost active recovery point, carrying `record`. Only call it when
// CanBreak() is true.
[[noreturn]] void Break(std::shared_ptr<ErrorRecord> record);

// Runs `body` as a recovery point. Returns null when it finished, or the record that a
// Break inside it carried.
template <typename Body>
std::shared_ptr<ErrorRecord> RunToRecoveryPoint(Body&& body) {
  RecoveryPoint point;
  try {
    std::forward<Body>(body)();
  } catch (ErrorBreak& unwound) {
    return unwound.record();
  }
  return nullptr;
}

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_RECOVERY_POINT_H_
