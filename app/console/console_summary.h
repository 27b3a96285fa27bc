// The lines the console edition writes when a run ends: a summary after a complete run,
// and a notice that a cancelled run left an incomplete report.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_SUMMARY_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_SUMMARY_H_

#include <cstddef>
#include <optional>
#include <string>

namespace ivarscan {

// "3 applications processed, 5 findings, 2 left out by the baseline"; the last part only
// when a baseline was given (`left_out` set).
std::string RunSummary(std::size_t applications, std::size_t findings,
                       std::optional<std::size_t> left_out);

// "the run was cancelled: the report in OUTPUT is incomplete"; `output` is the path of the
// file written, or empty for standard output.
std::string CancelledRunNotice(const std::string& output);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_SUMMARY_H_
