#include "engine/class_list_cache.h"

#include <cstdint>
#include <tuple>
#include <utility>

#include "platform/text.h"

namespace ivarscan {

std::size_t HashIgnoringCase::operator()(std::string_view name) const {
  std::uint64_t hash = kFnv1a64Basis;  // of the upper-cased name, without a copy of it
  for (char c : name) hash = Fnv1a64Add(hash, UpperAscii(c));
  return static_cast<std::size_t>(hash);
}

bool EqualIgnoringCase::operator()(std::string_view a, std::string_view b) const {
  return EqualsIgnoringCase(a, b);
}

IndexedClassList::IndexedClassList(ClassList classes) : classes_(std::move(classes)) {
  first_.reserve(classes_.size());
  for (std::size_t i = 0; i < classes_.size(); ++i) first_.emplace(classes_[i].name, i);
}

std::size_t IndexedClassList::FindFirst(std::string_view name) const {
  const auto found = first_.find(name);
  return found == first_.end() ? kNotFound : found->second;
}

const IndexedClassList& ClassListCache::Get(AppHandle application) {
  auto found = lists_.find(application);
  if (found == lists_.end()) {
    found = lists_
                .emplace(std::piecewise_construct, std::forward_as_tuple(application),
                         std::forward_as_tuple(GETAPPCLASSES(repo_, application, threads_)))
                .first;
  }
  return found->second;
}

}  // namespace ivarscan
