#include "engine/class_list_cache.h"

namespace ivarscan {

const ClassList& ClassListCache::Get(AppHandle application) {
  auto found = lists_.find(application);
  if (found == lists_.end()) {
    found = lists_.emplace(application, GETAPPCLASSES(repo_, application, threads_)).first;
  }
  return found->second;
}

}  // namespace ivarscan
