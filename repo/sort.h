// Sorting of the model's record lists: a Shell sort over 1-based positions with a
// caller-given order predicate, and the name order that the model sorts its lists by.
//
// An order predicate is called as before(candidate, placed) and returns true when the
// candidate must stand before the element already placed. The sort calls it exactly as
// the insertion rule below states, so equal elements end up in a fixed, reproducible order
// that the report depends on.
#ifndef IVARSCAN_REPO_SORT_H_
#define IVARSCAN_REPO_SORT_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "repo/records.h"

namespace ivarscan {

// The gap that SHELLSORT starts with for `n` elements: 1 below 14 elements, 3280 above
// 29524, otherwise the largest term of 1, 4, 13, 40, ... (h = 3h + 1) that lies two steps
// below the first term not smaller than n.
constexpr std::int32_t ShellSortStartGap(std::int32_t n) {
  if (n < 14) return 1;
  if (n > 29524) return 3280;
  std::int32_t h = 1;
  while (h < n) h = 3 * h + 1;
  return h / 3 / 3;
}

// Sorts array positions first..last (1-based, inclusive) in place. Each pass with gap h
// takes the elements from first + h to last in turn and moves each one down past every
// element h, 2h, ... before it for which before(candidate, placed) holds, stopping at the
// first one for which it does not; the gap then shrinks to h / 3 until after the pass
// with gap 1. Positions outside first..last are never touched. The positions must lie
// within the array; last below first sorts nothing.
template <typename T, typename Before>
void SHELLSORT(std::vector<T>& array, std::int32_t first, std::int32_t last, Before before) {
  // 64-bit positions: j runs down to first - h, below zero when first is small.
  const std::int64_t low = first;
  const std::int64_t high = last;
  for (std::int64_t h = ShellSortStartGap(last - first + 1); h > 0; h /= 3) {
    for (std::int64_t i = low + h; i <= high; ++i) {
      T candidate = std::move(array[i - 1]);
      std::int64_t j = i - h;
      while (j >= low && before(candidate, array[j - 1])) {
        array[j + h - 1] = std::move(array[j - 1]);
        j -= h;
      }
      array[j + h - 1] = std::move(candidate);
    }
  }
}

// The default order of NEWASORT: the candidate stands before the placed element when it
// is less.
struct LessThan {
  template <typename T>
  bool operator()(const T& candidate, const T& placed) const {
    return candidate < placed;
  }
};

// The count that makes NEWASORT sort from its first position to the end of the array.
inline constexpr std::int32_t kToTheEnd = -1;

// Sorts `count` elements from position `first` (1-based) with SHELLSORT and returns the
// array. A negative count (the default) means every element from `first` to the end.
template <typename T, typename Before = LessThan>
std::vector<T>& NEWASORT(std::vector<T>& array, std::int32_t first = 1,
                         std::int32_t count = kToTheEnd, Before before = {}) {
  if (count < 0) count = static_cast<std::int32_t>(array.size()) - first + 1;
  SHELLSORT(array, first, first + count - 1, before);
  return array;
}

// The sort key of a name: ASCII letters upper-cased, then cut or padded on the right with
// blanks to 64 characters.
std::string NameOrderKey(std::string_view name);

// The name order: true when the candidate's key (of its slot 2, the name or, for
// entities, the display name) is less than or equal to the placed record's key, comparing
// the keys byte by byte as unsigned codes. Equal keys are true, so a straight insertion
// moves a candidate in front of every equal element before it.
bool NameOrder(const ApplicationRecord& candidate, const ApplicationRecord& placed);
bool NameOrder(const ModuleRecord& candidate, const ModuleRecord& placed);
bool NameOrder(const EntityRecord& candidate, const EntityRecord& placed);

// SHELLSORT's result for a predicate that is "less than or equal" under some key: true on
// equal keys, else true exactly when the candidate's key is the smaller, as the name order
// is. Each SHELLSORT pass is a straight insertion into every chain of positions h apart;
// such an insertion leaves the chain sorted by key, each run of equal keys in the reverse
// of the order the pass found it in. This sorts every chain to that order directly, with
// n log n predicate calls per pass where the insertion makes up to n * n / 2h: names that
// share their first 64 characters by the thousand then cost seconds, not hours.
template <typename T, typename Before>
void ShellSortLessOrEqual(std::vector<T>& array, std::int32_t first, std::int32_t last,
                          Before before) {
  std::vector<std::size_t> chain;  // 0-based indices of one chain's positions
  std::vector<std::size_t> order;  // places in `chain`, in their sorted order
  std::vector<T> sorted;
  for (std::int64_t h = ShellSortStartGap(last - first + 1); h > 0; h /= 3) {
    for (std::int64_t start = first; start < first + h && start <= last; ++start) {
      chain.clear();
      for (std::int64_t p = start; p <= last; p += h)
        chain.push_back(static_cast<std::size_t>(p - 1));
      order.resize(chain.size());
      for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
      std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const T& x = array[chain[a]];
        const T& y = array[chain[b]];
        if (!before(y, x)) return true;  // x's key is the smaller
        return a > b && before(x, y);    // equal keys: the later one first
      });
      sorted.clear();
      for (std::size_t k : order) sorted.push_back(std::move(array[chain[k]]));
      for (std::size_t k = 0; k < chain.size(); ++k) array[chain[k]] = std::move(sorted[k]);
    }
  }
}

// NEWASORT for a plain function, so that an overloaded predicate such as NameOrder can be
// passed by its name: the element type picks the overload. With the name order it sorts
// through ShellSortLessOrEqual, which gives the same array.
template <typename T>
std::vector<T>& NEWASORT(std::vector<T>& array, std::int32_t first, std::int32_t count,
                         bool (*before)(const T&, const T&)) {
  if constexpr (requires(const T& record) { NameOrder(record, record); }) {
    if (before == static_cast<bool (*)(const T&, const T&)>(&NameOrder)) {
      if (count < 0) count = static_cast<std::int32_t>(array.size()) - first + 1;
      ShellSortLessOrEqual(array, first, first + count - 1, before);
      return array;
    }
  }
  return NEWASORT<T, bool (*)(const T&, const T&)>(array, first, count, before);
}

}  // namespace ivarscan

#endif  // IVARSCAN_REPO_SORT_H_
