// The build variant: one value per executable, for the IDE 2.5 repository or the IDE 2.0
// repository. Each executable's main picks it; code asks the value, never the preprocessor.
#ifndef IVARSCAN_PLATFORM_VARIANT_H_
#define IVARSCAN_PLATFORM_VARIANT_H_

#include <cstdint>

namespace ivarscan {

enum class IdeVersion { k25, k20 };

struct Variant {
  IdeVersion ide;
  // The report file, in the current directory; the viewer command is built from it too.
  const char* report_file_name;
  // The error sub-code that marks an operating-system exception.
  std::uint32_t os_exception_subcode;

  bool is_ide20() const { return ide == IdeVersion::k20; }
};

inline constexpr Variant kVariant25{IdeVersion::k25, "DUPIVars25.TXT", 5333};
inline constexpr Variant kVariant20{IdeVersion::k20, "DUPIVars20.TXT", 4660};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_VARIANT_H_
