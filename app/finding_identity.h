// What identifies a finding from one run to the next: its application, class, variable and
// kind, letter case ignored; never its line or module, so that edits that move lines keep
// it. Baselines match findings by it and SARIF's fingerprints are made from it.
#ifndef IVARSCAN_APP_FINDING_IDENTITY_H_
#define IVARSCAN_APP_FINDING_IDENTITY_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/findings.h"

namespace ivarscan {

// The identity of a finding from UTF-8 names: `variable` is empty for a class's missing
// parent or cycle. Names that differ only in the case of ASCII letters give the same one.
std::string FindingIdentity(std::string_view application, std::string_view class_name,
                            std::string_view variable, FindingKind kind);

// The same from names in code page 1252, as findings hold them.
std::string FindingIdentityOf(std::string_view application, std::string_view class_name,
                              std::string_view variable, FindingKind kind);

// The fingerprint of the `ordinal`-th (from 1) finding of a run with `identity`:
// 16 lower-case hex digits of the identity's 64-bit FNV-1a hash, ':', and the ordinal.
std::string Fingerprint(std::string_view identity, std::size_t ordinal);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_FINDING_IDENTITY_H_
