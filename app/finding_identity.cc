#include "app/finding_identity.h"

#include <cstdio>

#include "engine/finding_kinds.h"
#include "platform/cp1252.h"
#include "platform/text.h"

namespace ivarscan {

std::string FindingIdentity(std::string_view application, std::string_view class_name,
                            std::string_view variable, FindingKind kind) {
  std::string identity = UpperAscii(application);
  for (std::string_view part : {class_name, variable}) {
    identity.append(1, '\0').append(UpperAscii(part));
  }
  return identity.append(1, '\0').append(InfoOf(kind).id);
}

std::string FindingIdentityOf(std::string_view application, std::string_view class_name,
                              std::string_view variable, FindingKind kind) {
  return FindingIdentity(Cp1252ToUtf8(application), Cp1252ToUtf8(class_name),
                         Cp1252ToUtf8(variable), kind);
}

std::string Fingerprint(std::string_view identity, std::size_t ordinal) {
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx",
                static_cast<unsigned long long>(Fnv1a64(identity)));
  return std::string(digits) + ":" + std::to_string(ordinal);
}

}  // namespace ivarscan
