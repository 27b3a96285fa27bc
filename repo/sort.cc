#include "repo/sort.h"

#include "platform/text.h"

namespace ivarscan {

namespace {

constexpr std::size_t kKeyLength = 64;

// The byte at `index` of `name`'s key, as an unsigned code.
unsigned char KeyByte(std::string_view name, std::size_t index) {
  return static_cast<unsigned char>(index < name.size() ? UpperAscii(name[index]) : ' ');
}

// Compares the two keys without building them: the model sorts thousands of entities.
bool KeyLessOrEqual(std::string_view candidate, std::string_view placed) {
  for (std::size_t i = 0; i < kKeyLength; ++i) {
    const unsigned char a = KeyByte(candidate, i);
    const unsigned char b = KeyByte(placed, i);
    if (a != b) return a < b;
  }
  return true;
}

}  // namespace

std::string NameOrderKey(std::string_view name) {
  std::string key = UpperAscii(name.substr(0, kKeyLength));
  key.resize(kKeyLength, ' ');
  return key;
}

bool NameOrder(const ApplicationRecord& candidate, const ApplicationRecord& placed) {
  return KeyLessOrEqual(candidate.name, placed.name);
}

bool NameOrder(const ModuleRecord& candidate, const ModuleRecord& placed) {
  return KeyLessOrEqual(candidate.name, placed.name);
}

bool NameOrder(const EntityRecord& candidate, const EntityRecord& placed) {
  return KeyLessOrEqual(candidate.display_name, placed.display_name);
}

}  // namespace ivarscan
