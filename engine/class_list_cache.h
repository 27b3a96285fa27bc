// ClassListCache: the class list of each application of a run, collected once.
//
// While a run holds the repository nothing changes an application's modules or entities,
// so GETAPPCLASSES gives an application the same list every time it is asked. The cache
// asks once and hands the list to every later report that uses the application: a library
// that forty programs use is read and scanned once instead of forty times. Each list comes
// with an index of its class names, built once too, so that a report finds a parent
// without going through every class it could reach.
#ifndef IVARSCAN_ENGINE_CLASS_LIST_CACHE_H_
#define IVARSCAN_ENGINE_CLASS_LIST_CACHE_H_

#include <cstddef>
#include <map>
#include <string_view>
#include <unordered_map>

#include "engine/class_collection.h"
#include "repo/repository_access.h"

namespace ivarscan {

// Hashing and comparing names ignoring the case of ASCII letters, as class names compare.
struct HashIgnoringCase {
  std::size_t operator()(std::string_view name) const;
};
struct EqualIgnoringCase {
  bool operator()(std::string_view a, std::string_view b) const;
};

// A class list and the first class of each name in it.
class IndexedClassList {
 public:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  explicit IndexedClassList(ClassList classes);
  // The index refers to the list's own names, so the object stays where it was made.
  IndexedClassList(const IndexedClassList&) = delete;
  IndexedClassList& operator=(const IndexedClassList&) = delete;

  const ClassList& classes() const { return classes_; }
  // The position of the first class whose name equals `name` ignoring case; kNotFound
  // when there is none.
  std::size_t FindFirst(std::string_view name) const;

 private:
  ClassList classes_;
  std::unordered_map<std::string_view, std::size_t, HashIgnoringCase, EqualIgnoringCase> first_;
};

class ClassListCache {
 public:
  // `repo` must outlive the cache and stay unchanged while it is used. `threads` is the
  // number of threads that may scan an application's class sources.
  explicit ClassListCache(RepositoryAccess& repo, unsigned threads = 1)
      : repo_(repo), threads_(threads) {}
  ClassListCache(const ClassListCache&) = delete;
  ClassListCache& operator=(const ClassListCache&) = delete;

  // GETAPPCLASSES of `application`, collected at the first request for it. The list stays
  // in place, unchanged, for the life of the cache.
  const IndexedClassList& Get(AppHandle application);

 private:
  RepositoryAccess& repo_;
  const unsigned threads_;
  std::map<AppHandle, IndexedClassList> lists_;  // a map keeps each list in place
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_CLASS_LIST_CACHE_H_
