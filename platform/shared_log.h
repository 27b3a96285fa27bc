// A log that several processes append to at once, such as VOERROR.LOG: opened without
// ever being truncated, with each entry written whole and, when the log is not empty,
// preceded by a separator, while the writer holds the log's lock.
#ifndef IVARSCAN_PLATFORM_SHARED_LOG_H_
#define IVARSCAN_PLATFORM_SHARED_LOG_H_

#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/env.h"

namespace ivarscan {

// Opens the log at `path`, creating it when missing. Every Write of the returned file
// appends its data as one entry, preceded by `separator` unless the log is empty; write
// failures are not reported (a log entry is given up, never retried). Fails at once for
// anything but a regular file (a named pipe, a device).
std::error_code OpenSharedLog(const std::string& path, std::string_view separator,
                              std::unique_ptr<WritableFile>* file);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_SHARED_LOG_H_
