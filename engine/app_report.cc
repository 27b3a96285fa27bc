#include "engine/app_report.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/class_collection.h"
#include "platform/call_stack.h"
#include "platform/text.h"
#include "repo/modules.h"
#include "repo/projects.h"

namespace ivarscan {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr char kSystemLibraryName[] = "System Library";

// One application whose classes serve as ancestors.
struct SearchEntry {
  AppHandle application = 0;
  ClassList classes;
};

// Finds classes by upper-cased name the way the chain walk looks for them: the first
// class of that name in the own list, else the first in the search set in order. The
// index only speeds up that lookup; it answers exactly what a scan from the start would.
class ClassIndex {
 public:
  ClassIndex(const ClassList& own, const std::vector<SearchEntry>& search_set) {
    for (const ClassRecord& record : own) own_.emplace(UpperAscii(record.name), &record);
    for (const SearchEntry& entry : search_set) {
      for (const ClassRecord& record : entry.classes) {
        others_.emplace(UpperAscii(record.name), &record);
      }
    }
  }

  const ClassRecord* Find(const std::string& upper_name) const {
    if (auto found = own_.find(upper_name); found != own_.end()) return found->second;
    if (auto found = others_.find(upper_name); found != others_.end()) return found->second;
    return nullptr;
  }

 private:
  std::unordered_map<std::string, const ClassRecord*> own_;
  std::unordered_map<std::string, const ClassRecord*> others_;
};

// How a chain walk ended.
enum class WalkEnd { kRoot, kMissingParent, kCycle, kCancelled };

struct Chain {
  std::vector<const ClassRecord*> ancestors;  // parent first
  WalkEnd end = WalkEnd::kRoot;
  std::string sought;  // the upper-cased name the walk stopped at
};

class AppReport {
 public:
  AppReport(RepositoryAccess& repo, AppHandle application, ReportWriter& file,
            ProgressDialog& dialog)
      : repo_(repo), application_(application), file_(file), dialog_(dialog) {}

  void Run() {
    app_name_ = APPNAME(repo_, application_);
    file_.WriteLine("Application: " + app_name_);
    file_.WriteLine(std::string(35, '='));
    CollectSearchSet();
    ProcessOwnClasses();
    if (!any_reported_ && !dialog_.LABORT()) {
      file_.WriteLine("No classes with duplicate instance variables");
      file_.WriteLine("");
    }
    if (dialog_.LABORT()) file_.WriteLine("!!!!! Processing cancelled !!!!!");
  }

 private:
  // Stage 1: the applications this one uses, then the System Library (last unless the
  // search path names it). Cancel is not tested here; it takes effect in stage 2.
  void CollectSearchSet() {
    dialog_.DESCRIPTION("Examining dependencies:" + app_name_);
    dialog_.TASK("");
    dialog_.SetProgressPosition(0);
    dialog_.ApplicationExec();

    std::vector<AppHandle> used = GETUSEDAPPS(repo_, application_, true);
    AppHandle system_library = 0;
    repo_.AppFind(kSystemLibraryName, &system_library);
    bool system_library_present = false;
    for (AppHandle used_application : used) {
      dialog_.DESCRIPTION("Collecting class details:" + app_name_);
      dialog_.TASK(APPNAME(repo_, used_application));
      dialog_.ApplicationExec();
      search_set_.push_back({used_application, GETAPPCLASSES(repo_, used_application)});
      if (system_library != 0 && used_application == system_library) {
        system_library_present = true;
      }
    }
    if (system_library_present || application_ == system_library) return;
    // Without an application of that name the entry stays empty.
    search_set_.push_back(
        {system_library, system_library != 0 ? GETAPPCLASSES(repo_, system_library) : ClassList()});
  }

  // Stage 2: one block per own class that has something to report.
  void ProcessOwnClasses() {
    const ClassList own = GETAPPCLASSES(repo_, application_);
    const ClassIndex index(own, search_set_);
    dialog_.DESCRIPTION("Processing:" + app_name_);
    dialog_.SetProgressRange(1, 100);
    dialog_.ApplicationExec();

    const std::size_t count = own.size();
    for (std::size_t i = 1; i <= count; ++i) {
      if (dialog_.LABORT()) break;
      if (!ProcessClass(own[i - 1], index)) break;
      dialog_.SetProgressPosition(
          static_cast<int>((static_cast<double>(i) / static_cast<double>(count)) * 100));
      dialog_.ApplicationExec();
    }
  }

  // Returns false when the user cancelled during the chain walk.
  bool ProcessClass(const ClassRecord& record, const ClassIndex& index) {
    dialog_.TASK(record.name);
    dialog_.ApplicationExec();
    std::string block = "Class: " + record.name + kCrLf + "App: " + app_name_ + kCrLf +
                        "Module: " + MODNAME(repo_, record.module) + kCrLf +
                        "Inherits from: " + record.parent + kCrLf;
    const Chain chain = WalkChain(record, index);
    if (dialog_.LABORT()) return false;

    bool report = false;
    if (chain.end == WalkEnd::kMissingParent) {
      block += "** Could not find parent class " + chain.sought + " **" + kCrLf;
      report = true;
    } else if (chain.end == WalkEnd::kCycle) {
      block += "** Cyclic inheritance at class " + chain.sought + " **" + kCrLf;
      report = true;
    }
    block += std::string(kCrLf) + "Duplicate instance variables:" + kCrLf;
    if (CompareIvars(record, chain.ancestors, &block)) report = true;
    if (report) {
      any_reported_ = true;
      file_.Write(block + kCrLf + kCrLf);
    }
    return true;
  }

  // Resolves the ancestors of `record`, the own class list searched first at every step.
  // A class that is already in the chain (or is `record` itself) ends the walk as a cycle.
  Chain WalkChain(const ClassRecord& record, const ClassIndex& index) {
    Chain chain;
    std::unordered_set<const ClassRecord*> seen{&record};
    chain.sought = UpperAscii(record.parent);
    while (!IsBlank(chain.sought)) {
      dialog_.ApplicationExec();
      if (dialog_.LABORT()) {
        chain.end = WalkEnd::kCancelled;
        return chain;
      }
      const ClassRecord* found = index.Find(chain.sought);
      if (found == nullptr) {
        chain.end = WalkEnd::kMissingParent;
        return chain;
      }
      if (!seen.insert(found).second) {
        chain.end = WalkEnd::kCycle;
        return chain;
      }
      chain.ancestors.push_back(found);
      chain.sought = UpperAscii(found->parent);
    }
    return chain;
  }

  // Appends the detail lines for `record` to `block`; true when it appended any.
  bool CompareIvars(const ClassRecord& record, const std::vector<const ClassRecord*>& ancestors,
                    std::string* block) {
    bool found_any = false;
    const IvarList& names = record.ivars;
    for (std::size_t j = 0; j < names.size(); ++j) {
      dialog_.ApplicationExec();
      if (dialog_.LABORT()) break;
      for (std::size_t k = j + 1; k < names.size(); ++k) {
        dialog_.ApplicationExec();
        if (EqualsIgnoringCase(names[k], names[j])) {
          *block += names[j] + " occurs more than once in this class" + kCrLf;
          found_any = true;
        }
      }
      for (const ClassRecord* ancestor : ancestors) {
        dialog_.ApplicationExec();
        if (Declares(*ancestor, names[j])) {
          *block += names[j] + " also in " + ancestor->name + " (" +
                    APPNAME(repo_, ancestor->application) + "-" + MODNAME(repo_, ancestor->module) +
                    ")" + kCrLf;
          found_any = true;
        }
      }
    }
    return found_any;
  }

  static bool Declares(const ClassRecord& record, const std::string& name) {
    for (const std::string& ivar : record.ivars) {
      if (EqualsIgnoringCase(ivar, name)) return true;
    }
    return false;
  }

  RepositoryAccess& repo_;
  const AppHandle application_;
  ReportWriter& file_;
  ProgressDialog& dialog_;
  std::string app_name_;
  std::vector<SearchEntry> search_set_;
  bool any_reported_ = false;
};

}  // namespace

bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, ReportWriter& file,
                  ProgressDialog& dialog) {
  IVARSCAN_ROUTINE("REPORTAPPDUP");
  AppReport(repo, application, file, dialog).Run();
  return true;
}

}  // namespace ivarscan
