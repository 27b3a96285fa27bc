// The text report: the one place that holds its texts and widths (the words of each kind
// of finding are in engine/finding_kinds.h). The report run writes
// the header; the analysis hands each application's findings to a TextReport as it makes
// them, so that a cancelled run still ends its file with the block it was working on.
#ifndef IVARSCAN_ENGINE_TEXT_REPORT_H_
#define IVARSCAN_ENGINE_TEXT_REPORT_H_

#include <string>
#include <string_view>

#include "engine/findings.h"
#include "engine/report_writer.h"

namespace ivarscan {

namespace report_text {

inline constexpr std::string_view kTitle = "Classes with duplicate instance variables";
inline constexpr std::size_t kTitleRuleWidth = 75;
// The maker's web address, as the report's header and the closing note name it.
inline constexpr char kMakerAddress[] = "www.quorvex.example";

inline constexpr std::string_view kApplication = "Application: ";
inline constexpr std::size_t kApplicationRuleWidth = 35;
inline constexpr std::string_view kClass = "Class: ";
inline constexpr std::string_view kApp = "App: ";
inline constexpr std::string_view kModule = "Module: ";
inline constexpr std::string_view kInheritsFrom = "Inherits from: ";
inline constexpr std::string_view kProblemEnd = " **";
inline constexpr std::string_view kSection = "Duplicate instance variables:";
inline constexpr std::string_view kNoClasses = "No classes with duplicate instance variables";
inline constexpr std::string_view kCancelled = "!!!!! Processing cancelled !!!!!";

// The two lines of the header's advertisement, each ending in CR LF.
std::string Advertisement();

}  // namespace report_text

// The report's header: the title, its rule of "=", the advertisement and an empty line.
std::string TextReportHeader();

// The report's line for a variable finding, and a class's missing-parent or cyclic
// inheritance line (empty when it has neither), without their line ends.
std::string TextReportVariableLine(const VariableFinding& variable);
std::string TextReportProblemLine(const ClassFinding& finding);

// Writes each application's block of the text report as its findings arrive: the heading
// and its rule, one block per reported class followed by two empty lines, then the "none"
// line and an empty line when no class was reported and the run goes on, or the cancelled
// line when it was cancelled.
class TextReport final : public FindingSink {
 public:
  explicit TextReport(ReportWriter& file) : file_(file) {}

  void BeginApplication(std::string_view name) override;
  void AddClass(const ClassFinding& finding) override;
  void EndApplication(bool cancelled) override;

 private:
  ReportWriter& file_;
  bool any_class_ = false;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_TEXT_REPORT_H_
