// The plain records that the repository model hands out. Code such as the sort orders
// addresses their fields by slot number, so each field carries its slot number and the
// fields stand in slot order; slots that nothing fills are left out.
#ifndef IVARSCAN_REPO_RECORDS_H_
#define IVARSCAN_REPO_RECORDS_H_

#include <cstdint>
#include <memory>
#include <string>

#include "platform/icon.h"
#include "repo/repository_access.h"

namespace ivarscan {

struct ProjectRecord {
  std::string name;         // slot 1: at most 255 characters
  std::string description;  // slot 2: empty when the project has none
};

// Application kind from the two library flags of AppQueryLib.
enum : std::uint16_t { kProgramKind = 0, kLibraryKind = 1, kDllKind = 2 };

struct ApplicationRecord {
  AppHandle handle = 0;         // slot 1
  std::string name;             // slot 2: at most 31 characters
  std::uint16_t kind = 0;       // slot 4: 0, 1 or 2
  std::shared_ptr<Icon> icon;   // slot 5: null when the application has none
  bool system_library = false;  // slot 12
};

struct ModuleRecord {
  ModuleHandle handle = 0;  // slot 1
  std::string name;         // slot 2: at most 63 characters
};

struct EntityRecord {
  EntityHandle handle = 0;         // slot 1
  std::string display_name;        // slot 2
  std::string name;                // slot 3
  std::string source;              // slot 4: first text of data part 7, when fetched
  std::int16_t visibility = 0;     // slot 5
  std::int16_t type = 0;           // slot 6
  std::int16_t block_type = 0;     // slot 7
  bool appearance = false;         // slot 8
  Symbol name_symbol = 0;          // slot 9
  Symbol display_name_symbol = 0;  // slot 10
  std::int16_t vit = 0;            // slot 11
  std::int16_t subtype = 0;        // slot 12
  std::string description = " ";   // slot 13: a single blank when there is none
  std::int32_t create_time = 0;    // slot 14
  std::int32_t time = 0;           // slot 15
  std::int16_t debug = 0;          // slot 16
  std::string second_source;       // slot 17: second text of data part 4, when fetched
};

// Entity codes that mark a class declaration.
inline constexpr std::int16_t kClassEntityType = 3;
inline constexpr std::int16_t kClassEntityBlockType = 23;

}  // namespace ivarscan

#endif  // IVARSCAN_REPO_RECORDS_H_
