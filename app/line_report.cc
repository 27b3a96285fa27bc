#include "app/line_report.h"

#include "app/artifact_paths.h"
#include "engine/finding_kinds.h"
#include "engine/text_report.h"
#include "platform/cp1252.h"

namespace ivarscan {
namespace {

// Writes the lines of one run; `base` and `repository` are absolute folders.
class LineWriter {
 public:
  LineWriter(const RunDescription& run, const std::string& base)
      : program_(run.program), paths_(run.repository, base) {}

  // "FILE:LINE: LEVEL: MESSAGE [RULE]" at `position`, or at the program when unknown.
  void Line(const SourcePosition& position, std::string_view level, const std::string& message,
            std::string_view rule = {}) {
    text_ += Place(position) + " " + std::string(level) + ": " + Cp1252ToUtf8(message);
    if (!position.module_in_file.empty() && position.line > 0) {
      text_ += " (module " + Cp1252ToUtf8(position.module_in_file) + ", line " +
               std::to_string(position.line) + ")";
    }
    if (!rule.empty()) text_ += " [" + std::string(rule) + "]";
    text_ += "\n";
  }

  const std::string& text() const { return text_; }

 private:
  // "FILE:LINE:", "FILE:" in an export file, or "PROGRAM:" when the file is unknown.
  std::string Place(const SourcePosition& position) const {
    if (position.file.empty()) return program_ + ":";
    std::string place = paths_.PathOf(position.file) + ":";
    if (position.module_in_file.empty() && position.line > 0) {
      place += std::to_string(position.line) + ":";
    }
    return place;
  }

  const std::string program_;
  const ArtifactPaths paths_;
  std::string text_;
};

void AddVariable(LineWriter& out, const ClassFinding& owner, const VariableFinding& variable) {
  const std::string message = owner.name + ": " + TextReportVariableLine(variable);
  const FindingKindInfo& kind = InfoOf(variable.kind);
  if (variable.kind == FindingKind::kDuplicateInClass) {
    // At the later declaration, with a note at the earlier one.
    out.Line(variable.other_position, kind.level, message, kind.id);
    out.Line(variable.position, "note", "the earlier declaration of " + variable.name);
  } else {
    out.Line(variable.position, kind.level, message, kind.id);
    out.Line(variable.other_position, "note",
             variable.ancestor_class + " declares " + variable.name);
  }
}

}  // namespace

std::string LineReport(const RunFindings& findings, const RunDescription& run,
                       const std::string& base) {
  LineWriter out(run, base);
  for (const ApplicationFindings& application : findings.applications) {
    for (const ClassFinding& finding : application.classes) {
      if (finding.problem) {
        const FindingKindInfo& kind = InfoOf(*finding.problem);
        out.Line(finding.position, kind.level, finding.name + ": " + TextReportProblemLine(finding),
                 kind.id);
      }
      for (const VariableFinding& variable : finding.variables) AddVariable(out, finding, variable);
    }
  }
  return out.text();
}

}  // namespace ivarscan
