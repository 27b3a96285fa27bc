// The program's version, set in one place: the project version of the top CMakeLists.txt,
// written into the generated version.cc at configure time. Only that file is rebuilt when
// the version changes.
#ifndef IVARSCAN_PLATFORM_VERSION_H_
#define IVARSCAN_PLATFORM_VERSION_H_

namespace ivarscan {

// The version as MAJOR.MINOR.PATCH ("0.2.0"), as --version, JSON and SARIF show it.
extern const char kProgramVersion[];

// The runtime's version text, "ivarscan runtime " and the version: the first line after the
// banner of every error-log entry. A constant, so a signal handler may read it.
const char* Version();

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_VERSION_H_
