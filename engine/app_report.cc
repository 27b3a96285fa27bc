#include "engine/app_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/class_collection.h"
#include "engine/class_list_cache.h"
#include "engine/text_report.h"
#include "platform/call_stack.h"
#include "platform/text.h"
#include "repo/modules.h"
#include "repo/projects.h"

namespace ivarscan {
namespace {

// The search set: the class lists of the applications whose classes serve as ancestors,
// in search order. Each class record names its own application. The lists belong to the
// run's ClassListCache.
using SearchSet = std::vector<const IndexedClassList*>;

// One of 64 bits picked by a hash of the name ignoring case. Comparing an instance
// variable with every ancestor's list is the inner loop of the report; the bits let it
// skip most lists unread.
std::uint64_t NameBit(std::string_view name) {
  return std::uint64_t{1} << (static_cast<std::uint64_t>(HashIgnoringCase()(name)) >> 58);
}

// Every class that a chain walk can reach, numbered: the own classes first (so an own
// class's number is its position in the own list), then the search set's in order. The
// parent of a class is resolved once, when a walk first asks for it, exactly as the walk
// looks for it at every step: the first class of that name (ignoring case) in the own
// list, else the first in the search set. Walks then follow numbers, so a step costs no
// name lookup: a chain of n classes takes n(n-1)/2 steps in all, and each must be cheap.
// Nothing is worked out for the many classes that no walk of the report reaches.
class ClassGraph {
 public:
  static constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

  ClassGraph(const IndexedClassList& own, const SearchSet& search_set) {
    lists_.push_back({&own, 0});
    std::size_t count = own.classes().size();
    for (const IndexedClassList* classes : search_set) {
      lists_.push_back({classes, count});
      count += classes->classes().size();
    }
    nodes_.resize(count);
  }

  std::size_t size() const { return nodes_.size(); }
  const ClassRecord& record(std::size_t node) const {
    const List& list = ListOf(node);
    return list.classes->classes()[node - list.first];
  }
  // The upper-cased parent name that the walk seeks from this class.
  std::string sought(std::size_t node) const { return UpperAscii(record(node).parent); }
  bool has_parent_name(std::size_t node) const { return !IsBlank(record(node).parent); }
  // The NameBit of every instance variable the class declares, or-ed together: a name
  // whose bit is not among them is surely not declared.
  std::uint64_t ivar_bits(std::size_t node) const {
    Node& entry = nodes_[node];
    if (!entry.ivar_bits_known) {
      for (const std::string& ivar : record(node).ivars) entry.ivar_bits |= NameBit(ivar);
      entry.ivar_bits_known = true;
    }
    return entry.ivar_bits;
  }
  // The class that the parent name of a class with one resolves to, or kNoParent.
  std::size_t parent(std::size_t node) const {
    Node& entry = nodes_[node];
    if (!entry.parent_known) {
      entry.parent = Resolve(record(node).parent);
      entry.parent_known = true;
    }
    return entry.parent;
  }

 private:
  struct List {
    const IndexedClassList* classes;
    std::size_t first;  // the number of its first class
  };
  // What is worked out for a class when first needed.
  struct Node {
    bool parent_known = false;
    bool ivar_bits_known = false;
    std::size_t parent = kNoParent;
    std::uint64_t ivar_bits = 0;
  };

  const List& ListOf(std::size_t node) const {
    std::size_t k = lists_.size() - 1;
    while (lists_[k].first > node) --k;
    return lists_[k];
  }

  std::size_t Resolve(std::string_view name) const {
    for (const List& list : lists_) {
      const std::size_t found = list.classes->FindFirst(name);
      if (found != IndexedClassList::kNotFound) return list.first + found;
    }
    return kNoParent;
  }

  std::vector<List> lists_;  // the own list, then the search set
  mutable std::vector<Node> nodes_;
};

// How a chain walk ended.
enum class WalkEnd { kRoot, kMissingParent, kCycle, kCancelled };

struct Chain {
  std::vector<std::size_t> ancestors;  // class numbers in the ClassGraph, parent first
  WalkEnd end = WalkEnd::kRoot;
  std::string sought;  // the upper-cased name the walk stopped at
};

class AppReport {
 public:
  AppReport(RepositoryAccess& repo, AppHandle application, FindingSink& findings,
            ProgressDialog& dialog, ClassListCache& classes)
      : repo_(repo),
        application_(application),
        findings_(findings),
        dialog_(dialog),
        classes_(classes) {}

  void Run() {
    app_name_ = APPNAME(repo_, application_);
    findings_.BeginApplication(app_name_);
    CollectSearchSet();
    ProcessOwnClasses();
    dialog_.ServiceEventsNow();
    findings_.EndApplication(dialog_.LABORT());
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
      search_set_.push_back(&classes_.Get(used_application));
      if (system_library != 0 && used_application == system_library) {
        system_library_present = true;
      }
    }
    if (system_library_present || application_ == system_library) return;
    // Without an application of that name the entry stays empty.
    static const IndexedClassList kNoClasses{ClassList()};
    search_set_.push_back(system_library != 0 ? &classes_.Get(system_library) : &kNoClasses);
  }

  // Stage 2: one block per own class that has something to report.
  void ProcessOwnClasses() {
    const IndexedClassList& own = classes_.Get(application_);
    const ClassGraph graph(own, search_set_);
    walk_marks_.assign(graph.size(), 0);
    dialog_.DESCRIPTION("Processing:" + app_name_);
    dialog_.SetProgressRange(1, 100);
    dialog_.ApplicationExec();

    const std::size_t count = own.classes().size();
    for (std::size_t i = 1; i <= count; ++i) {
      if (dialog_.LABORT()) break;
      if (!ProcessClass(graph, i - 1)) break;
      dialog_.SetProgressPosition(
          static_cast<int>((static_cast<double>(i) / static_cast<double>(count)) * 100));
      dialog_.ApplicationExec();
    }
  }

  // Returns false when the user cancelled during the chain walk.
  bool ProcessClass(const ClassGraph& graph, std::size_t node) {
    const ClassRecord& record = graph.record(node);
    dialog_.TASK(record.name);
    dialog_.ApplicationExec();
    ClassFinding finding;
    finding.name = record.name;
    finding.application = app_name_;
    finding.module = MODNAME(repo_, record.module);
    finding.parent = record.parent;
    finding.position = {record.file, record.line, record.module_in_file};
    const Chain& chain = WalkChain(graph, node);
    if (dialog_.LABORT()) return false;

    if (chain.end == WalkEnd::kMissingParent) {
      finding.problem = FindingKind::kMissingParent;
    } else if (chain.end == WalkEnd::kCycle) {
      finding.problem = FindingKind::kCyclicInheritance;
    }
    if (finding.problem) finding.problem_class = chain.sought;
    CompareIvars(graph, record, chain.ancestors, &finding.variables);
    if (finding.problem || !finding.variables.empty()) findings_.AddClass(finding);
    return true;
  }

  // Resolves the ancestors of the class `start`, the own class list searched first at every
  // step. A class that is already in the chain (or is the class itself) ends the walk as a
  // cycle. The chain stays valid until the next walk, which reuses its memory.
  const Chain& WalkChain(const ClassGraph& graph, std::size_t start) {
    Chain& chain = chain_;
    chain.ancestors.clear();
    chain.end = WalkEnd::kRoot;
    ++walk_;
    walk_marks_[start] = walk_;
    std::size_t current = start;
    while (graph.has_parent_name(current)) {
      dialog_.ApplicationExec();
      if (dialog_.LABORT()) {
        chain.end = WalkEnd::kCancelled;
        break;
      }
      const std::size_t parent = graph.parent(current);
      if (parent == ClassGraph::kNoParent) {
        chain.end = WalkEnd::kMissingParent;
        break;
      }
      if (walk_marks_[parent] == walk_) {
        chain.end = WalkEnd::kCycle;
        break;
      }
      walk_marks_[parent] = walk_;
      chain.ancestors.push_back(parent);
      current = parent;
    }
    chain.sought = graph.sought(current);
    return chain;
  }

  // Appends the variable findings of `record` to `variables`.
  void CompareIvars(const ClassGraph& graph, const ClassRecord& record,
                    const std::vector<std::size_t>& ancestors,
                    std::vector<VariableFinding>* variables) {
    const IvarList& names = record.ivars;
    for (std::size_t j = 0; j < names.size(); ++j) {
      dialog_.ApplicationExec();
      if (dialog_.LABORT()) break;
      const SourcePosition position{record.file, record.ivar_lines[j], record.module_in_file};
      for (std::size_t k = j + 1; k < names.size(); ++k) {
        dialog_.ApplicationExec();
        if (EqualsIgnoringCase(names[k], names[j])) {
          VariableFinding& repeat = variables->emplace_back();
          repeat.kind = FindingKind::kDuplicateInClass;
          repeat.name = names[j];
          repeat.position = position;
          repeat.other_position = {record.file, record.ivar_lines[k], record.module_in_file};
        }
      }
      const std::uint64_t name_bit = NameBit(names[j]);
      for (std::size_t node : ancestors) {
        dialog_.ApplicationExec();
        const ClassRecord& ancestor = graph.record(node);
        if ((graph.ivar_bits(node) & name_bit) == 0) continue;
        const std::size_t declared = FindIvar(ancestor, names[j]);
        if (declared == ancestor.ivars.size()) continue;
        VariableFinding& inherited = variables->emplace_back();
        inherited.kind = FindingKind::kDuplicateOfInherited;
        inherited.name = names[j];
        inherited.position = position;
        inherited.other_position = {ancestor.file, ancestor.ivar_lines[declared],
                                    ancestor.module_in_file};
        inherited.ancestor_class = ancestor.name;
        inherited.ancestor_application = APPNAME(repo_, ancestor.application);
        inherited.ancestor_module = MODNAME(repo_, ancestor.module);
      }
    }
  }

  // The index of the first of the class's names that equals `name`, or the list's size.
  static std::size_t FindIvar(const ClassRecord& record, const std::string& name) {
    const auto found =
        std::find_if(record.ivars.begin(), record.ivars.end(),
                     [&name](const std::string& ivar) { return EqualsIgnoringCase(ivar, name); });
    return static_cast<std::size_t>(found - record.ivars.begin());
  }

  RepositoryAccess& repo_;
  const AppHandle application_;
  FindingSink& findings_;
  ProgressDialog& dialog_;
  ClassListCache& classes_;
  std::string app_name_;
  SearchSet search_set_;
  // walk_marks_[node] == walk_ when the class is in the chain of the current walk.
  std::vector<std::uint64_t> walk_marks_;
  Chain chain_;
  std::uint64_t walk_ = 0;
};

}  // namespace

bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, FindingSink& findings,
                  ProgressDialog& dialog, ClassListCache* classes) {
  IVARSCAN_ROUTINE("REPORTAPPDUP");
  ClassListCache own_classes(repo);  // used only when the caller shares none
  AppReport(repo, application, findings, dialog, classes ? *classes : own_classes).Run();
  return true;
}

bool REPORTAPPDUP(RepositoryAccess& repo, AppHandle application, ReportWriter& file,
                  ProgressDialog& dialog, ClassListCache* classes) {
  TextReport text(file);
  return REPORTAPPDUP(repo, application, text, dialog, classes);
}

}  // namespace ivarscan
