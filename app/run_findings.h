// The findings of a whole run, kept for the outputs that are written once the run ends.
#ifndef IVARSCAN_APP_RUN_FINDINGS_H_
#define IVARSCAN_APP_RUN_FINDINGS_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/findings.h"

namespace ivarscan {

struct ApplicationFindings {
  std::string name;
  std::vector<ClassFinding> classes;
};

struct RunFindings {
  std::vector<ApplicationFindings> applications;  // those processed, in report order
  // Whether the run was cancelled: the report loop's own result, which the run puts here
  // once the loop ends, so that every output and the run's outcome tell the same.
  bool cancelled = false;
};

// A FindingSink that keeps every application and class finding it is handed in `findings`.
class FindingCollector final : public FindingSink {
 public:
  explicit FindingCollector(RunFindings& findings) : findings_(findings) {}

  void BeginApplication(std::string_view name) override {
    findings_.applications.push_back({std::string(name), {}});
  }
  void AddClass(const ClassFinding& finding) override {
    findings_.applications.back().classes.push_back(finding);
  }
  void EndApplication(bool) override {}

 private:
  RunFindings& findings_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_RUN_FINDINGS_H_
