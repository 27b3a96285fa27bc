#include "engine/text_report.h"

#include "engine/finding_kinds.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text.append(part);
  return text;
}

void AppendLine(std::string* text, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) text->append(part);
  text->append(kCrLf);
}

}  // namespace

std::string TextReportVariableLine(const VariableFinding& variable) {
  const std::string_view words = InfoOf(variable.kind).report_text;
  if (variable.kind == FindingKind::kDuplicateInClass) return Join({variable.name, words});
  return Join({variable.name, words, variable.ancestor_class, " (", variable.ancestor_application,
               "-", variable.ancestor_module, ")"});
}

std::string TextReportProblemLine(const ClassFinding& finding) {
  if (!finding.problem) return std::string();
  return Join(
      {InfoOf(*finding.problem).report_text, finding.problem_class, report_text::kProblemEnd});
}

std::string report_text::Advertisement() {
  return std::string("Remember to visit ") + kMakerAddress +
         " for more\r\nessential utilities like the Quorvex!\r\n";
}

std::string TextReportHeader() {
  std::string header;
  AppendLine(&header, {report_text::kTitle});
  AppendLine(&header, {std::string(report_text::kTitleRuleWidth, '=')});
  AppendLine(&header, {report_text::Advertisement()});
  return header;
}

void TextReport::BeginApplication(std::string_view name) {
  any_class_ = false;
  file_.WriteLine(std::string(report_text::kApplication) + std::string(name));
  file_.WriteLine(std::string(report_text::kApplicationRuleWidth, '='));
}

void TextReport::AddClass(const ClassFinding& finding) {
  any_class_ = true;
  std::string block;
  AppendLine(&block, {report_text::kClass, finding.name});
  AppendLine(&block, {report_text::kApp, finding.application});
  AppendLine(&block, {report_text::kModule, finding.module});
  AppendLine(&block, {report_text::kInheritsFrom, finding.parent});
  if (finding.problem) AppendLine(&block, {TextReportProblemLine(finding)});
  AppendLine(&block, {});
  AppendLine(&block, {report_text::kSection});
  for (const VariableFinding& variable : finding.variables) {
    AppendLine(&block, {TextReportVariableLine(variable)});
  }
  AppendLine(&block, {});
  AppendLine(&block, {});
  file_.Write(block);
}

void TextReport::EndApplication(bool cancelled) {
  if (!any_class_ && !cancelled) {
    file_.WriteLine(report_text::kNoClasses);
    file_.WriteLine("");
  }
  if (cancelled) file_.WriteLine(report_text::kCancelled);
}

}  // namespace ivarscan
