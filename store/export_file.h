// Reading the IDE's export files: an application export (`.aef`) holds one application's
// properties, its library list and all its modules; a module export (`.mef`) holds one
// module. Both are one stream of records (a 16-bit type, a 32-bit payload length, the
// payload), from a header record to an end record. docs/export-files.md describes what
// is read and what is left alone.
#ifndef IVARSCAN_STORE_EXPORT_FILE_H_
#define IVARSCAN_STORE_EXPORT_FILE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ivarscan {

// The kind of an application, from its flag records.
enum class ExportKind { kUnset, kConsole, kLibrary, kDll };

// One module of an export file. Every view points into the bytes that were read.
struct ExportModule {
  std::string_view name;   // the module's name record, as stored
  std::size_t offset = 0;  // where its name record starts in the file
  // An external module: its whole source is `external_source`, which the file embeds.
  bool external = false;
  std::string_view external_source;
  // The source texts of the module's entities that are kept (those with a prototype that
  // is not blank, or of type 3, and not of a designer type), in file order.
  std::vector<std::string_view> entity_sources;
};

// What an export file holds. The application part is empty in a module export, whose
// application records mean nothing.
struct ExportFile {
  std::optional<std::string_view> application_name;  // the last name record
  ExportKind kind = ExportKind::kUnset;
  std::vector<std::string_view> search_path;  // the library list, in file order, untrimmed
  std::vector<ExportModule> modules;          // in file order, blank names included
};

// Why a file is not read: where the trouble lies and what it is.
struct ExportFileDamage {
  std::size_t offset = 0;
  std::string what;
};

// Reads the record stream `bytes` into `file`, whose views then point into `bytes`.
// Returns the damage when `bytes` is not a whole export file: a bad header record, a
// record that runs past the end, or no end record; `file` is then unspecified. Never
// reads outside `bytes`; record types it does not use are skipped by their length.
std::optional<ExportFileDamage> ReadExportFile(std::string_view bytes, ExportFile* file);

// Appends the module's text, as a module file would hold it, to `text`: the external
// source, or else the entity sources one after the other, CR LF added to each that does
// not end in a line end (CR LF or LF). AddModuleEntities then turns every LF that is not
// preceded by CR into CR LF, as it does for a module file, so each entity source ends up
// with CR LF line ends and ending its own last line.
void AppendModuleText(const ExportModule& module, std::string* text);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_EXPORT_FILE_H_
