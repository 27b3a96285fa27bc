// ClassListCache: the class list of each application of a run, collected once.
//
// While a run holds the repository nothing changes an application's modules or entities,
// so GETAPPCLASSES gives an application the same list every time it is asked. The cache
// asks once and hands the list to every later report that uses the application: a library
// that forty programs use is read and scanned once instead of forty times.
#ifndef IVARSCAN_ENGINE_CLASS_LIST_CACHE_H_
#define IVARSCAN_ENGINE_CLASS_LIST_CACHE_H_

#include <map>

#include "engine/class_collection.h"
#include "repo/repository_access.h"

namespace ivarscan {

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
  const ClassList& Get(AppHandle application);

 private:
  RepositoryAccess& repo_;
  const unsigned threads_;
  std::map<AppHandle, ClassList> lists_;  // a map keeps each list in place as lists are added
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_CLASS_LIST_CACHE_H_
