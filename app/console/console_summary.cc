#include "app/console/console_summary.h"

namespace ivarscan {
namespace {

std::string Count(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string RunSummary(std::size_t applications, std::size_t findings,
                       std::optional<std::size_t> left_out) {
  std::string summary = Count(applications, "application", "applications") + " processed, " +
                        Count(findings, "finding", "findings");
  if (left_out) summary += ", " + std::to_string(*left_out) + " left out by the baseline";
  return summary;
}

std::string CancelledRunNotice(const std::string& output) {
  return "the run was cancelled: the report " +
         (output.empty() ? std::string("on standard output") : "in " + output) + " is incomplete";
}

}  // namespace ivarscan
