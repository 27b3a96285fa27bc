#include "platform/recovery_point.h"

namespace ivarscan {
namespace {

thread_local int active_points = 0;

}  // namespace

RecoveryPoint::RecoveryPoint() { ++active_points; }

RecoveryPoint::~RecoveryPoint() { --active_points; }

bool CanBreak() { return active_points > 0; }

void Break(std::shared_ptr<ErrorRecord> record) { throw ErrorBreak(std::move(record)); }

}  // namespace ivarscan
