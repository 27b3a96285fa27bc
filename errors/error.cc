#include "errors/error.h"

#include "platform/error_services.h"

namespace ivarscan {

void ErrorRecord::THROW() {
  const ErrorHandler& handler = ErrorBlock();
  if (!handler) return;
  std::shared_ptr<ErrorRecord> self = weak_from_this().lock();
  if (!self) self = std::make_shared<ErrorRecord>(*this);
  handler(ErrorValue(std::move(self)));
}

}  // namespace ivarscan
