#include "store/export_file.h"

#include <cstdint>
#include <cstdio>

#include "platform/text.h"

namespace ivarscan {
namespace {

// Record type codes.
constexpr std::uint16_t kHeader = 0x0001;
constexpr std::uint16_t kEnd = 0xFFFF;
constexpr std::uint16_t kApplicationName = 0x0002;
constexpr std::uint16_t kLibraryFlag = 0x000A;
constexpr std::uint16_t kDllFlag = 0x000B;
constexpr std::uint16_t kApplicationBody = 0x010F;
constexpr std::uint16_t kSearchPathEntry = 0x0004;
constexpr std::uint16_t kModuleName = 0x0020;
constexpr std::uint16_t kExternalModuleName = 0x0022;
constexpr std::uint16_t kExternalModule = 0x0101;
constexpr std::uint16_t kEntityName = 0x0040;
constexpr std::uint16_t kEntityType = 0x0044;
constexpr std::uint16_t kEntityPrototype = 0x004E;
constexpr std::uint16_t kEntitySource = 0x0041;

constexpr std::size_t kRecordHeaderSize = 6;
// The two version words accepted: 0x0080 set, and 0x0100 or 0x0200 beside it.
constexpr std::uint16_t kVersion1 = 0x0180;
constexpr std::uint16_t kVersion2 = 0x0280;

// An entity that a module keeps even without a prototype.
constexpr int kAlwaysKeptType = 3;

// The entity types of the IDE's visual editors, whose data is binary.
bool IsDesignerType(int type) { return (type >= 10 && type <= 17) || type == 30; }

std::uint16_t U16At(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t U32At(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(U16At(bytes, at)) |
         static_cast<std::uint32_t>(U16At(bytes, at + 2)) << 16;
}

// The byte at `at` of a payload; -1 when the payload is shorter: a value the record does
// not hold is absent, never read from the next record.
int ByteAt(std::string_view payload, std::size_t at) {
  return at < payload.size() ? static_cast<unsigned char>(payload[at]) : -1;
}

// A text payload: its bytes up to the first zero byte, or all of them without one.
std::string_view Text(std::string_view payload) { return payload.substr(0, payload.find('\0')); }

std::string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(value));
  return buffer;
}

std::optional<ExportFileDamage> CheckHeader(std::string_view bytes, std::size_t* next) {
  if (bytes.size() < kRecordHeaderSize + 2) {
    return ExportFileDamage{0, "not an export file: shorter than a header record"};
  }
  if (U16At(bytes, 0) != kHeader) {
    return ExportFileDamage{0, "not an export file: the first record's type is " +
                                   Hex(U16At(bytes, 0)) + ", not a header's"};
  }
  const std::uint32_t length = U32At(bytes, 2);
  if (length < 2)
    return ExportFileDamage{2, "bad header: its length " + std::to_string(length) +
                                   " leaves no room for the version word"};
  if (length > bytes.size() - kRecordHeaderSize) {
    return ExportFileDamage{
        2, "bad header: its length " + std::to_string(length) + " runs past the end of the file"};
  }
  const std::uint16_t version = U16At(bytes, kRecordHeaderSize);
  if (version != kVersion1 && version != kVersion2) {
    return ExportFileDamage{kRecordHeaderSize, "bad header: version word " + Hex(version) +
                                                   " is neither 0x0180 nor 0x0280"};
  }
  *next = kRecordHeaderSize + length;
  return std::nullopt;
}

// Walks the records after the header, building the file's contents.
class RecordWalk {
 public:
  RecordWalk(std::string_view bytes, ExportFile* file) : bytes_(bytes), file_(file) {}

  std::optional<ExportFileDamage> Run(std::size_t at) {
    for (;;) {
      if (at == bytes_.size()) return ExportFileDamage{at, "no end record"};
      if (bytes_.size() - at < 2) {
        return ExportFileDamage{at, "a record header is cut off by the end of the file"};
      }
      const std::uint16_t type = U16At(bytes_, at);
      if (type == kEnd) break;  // its length is never needed
      if (bytes_.size() - at < kRecordHeaderSize) {
        return ExportFileDamage{at, "a record header is cut off by the end of the file"};
      }
      const std::uint32_t length = U32At(bytes_, at + 2);
      if (length > bytes_.size() - at - kRecordHeaderSize) {
        return ExportFileDamage{at, "the record of type " + Hex(type) + " has length " +
                                        std::to_string(length) +
                                        ", which runs past the end of the file"};
      }
      Take(type, at, bytes_.substr(at + kRecordHeaderSize, length));
      at += kRecordHeaderSize + length;
    }
    EndEntity();
    return std::nullopt;
  }

 private:
  struct Entity {
    std::optional<int> type;
    std::string_view prototype;
    std::string_view source;
  };

  void Take(std::uint16_t type, std::size_t at, std::string_view payload) {
    TakeApplicationRecord(type, payload);
    if (type == kModuleName) {
      EndEntity();
      file_->modules.push_back({Text(payload), at, false, {}, {}});
      external_name_ = {};
      has_external_source_ = false;
      return;
    }
    if (file_->modules.empty()) return;  // module records before the first module
    TakeModuleRecord(type, payload);
  }

  // Application records count wherever they stand.
  void TakeApplicationRecord(std::uint16_t type, std::string_view payload) {
    switch (type) {
      case kApplicationName:
        file_->application_name = Text(payload);
        break;
      case kSearchPathEntry:
        file_->search_path.push_back(Text(payload));
        break;
      case kLibraryFlag:
        if (ByteAt(payload, 0) == 1) file_->kind = ExportKind::kLibrary;
        break;
      case kDllFlag:
        if (ByteAt(payload, 0) == 1) file_->kind = ExportKind::kDll;
        break;
      case kApplicationBody:
        TakeApplicationBody(payload);
        break;
      default:
        break;
    }
  }

  void TakeApplicationBody(std::string_view payload) {
    auto is_true = [&](std::size_t at) {
      const int byte = ByteAt(payload, at);
      return byte == 1 || byte == 255;
    };
    if (ByteAt(payload, 8) == 1) {
      file_->kind = ExportKind::kDll;
    } else if (is_true(4)) {
      file_->kind = ExportKind::kLibrary;
    }
    if (is_true(44)) file_->kind = ExportKind::kConsole;
  }

  void TakeModuleRecord(std::uint16_t type, std::string_view payload) {
    ExportModule& module = file_->modules.back();
    switch (type) {
      case kExternalModuleName:
        external_name_ = Text(payload);
        module.external = !IsBlank(external_name_) && has_external_source_;
        break;
      case kExternalModule:
        module.external_source = Text(payload);
        has_external_source_ = true;
        module.external = !IsBlank(external_name_);
        break;
      case kEntityName:
        EndEntity();
        entity_.emplace();
        break;
      default:
        if (entity_) TakeEntityRecord(type, payload);
        break;
    }
  }

  void TakeEntityRecord(std::uint16_t type, std::string_view payload) {
    switch (type) {
      case kEntityType:
        if (payload.size() >= 2) entity_->type = static_cast<std::int16_t>(U16At(payload, 0));
        break;
      case kEntityPrototype:
        entity_->prototype = Text(payload);
        break;
      case kEntitySource:
        entity_->source = Text(payload);
        break;
      default:
        break;
    }
  }

  void EndEntity() {
    if (!entity_) return;
    const bool designer = entity_->type && IsDesignerType(*entity_->type);
    const bool kept = !IsBlank(entity_->prototype) || entity_->type == kAlwaysKeptType;
    if (kept && !designer && !entity_->source.empty()) {
      file_->modules.back().entity_sources.push_back(entity_->source);
    }
    entity_.reset();
  }

  std::string_view bytes_;
  ExportFile* file_;
  std::optional<Entity> entity_;  // the entity being read, from its name record on
  // The current module's external file name and whether it embeds an external source.
  std::string_view external_name_;
  bool has_external_source_ = false;
};

}  // namespace

std::optional<ExportFileDamage> ReadExportFile(std::string_view bytes, ExportFile* file) {
  *file = {};
  std::size_t first_record = 0;
  if (auto damage = CheckHeader(bytes, &first_record)) return damage;
  return RecordWalk(bytes, file).Run(first_record);
}

void AppendModuleText(const ExportModule& module, std::string* text) {
  if (module.external) {
    text->append(module.external_source);
    return;
  }
  // An LF ends a line as CR LF does: AddModuleEntities makes every LF a CR LF.
  for (std::string_view source : module.entity_sources) {
    text->append(source);
    if (!text->ends_with('\n')) text->append("\r\n");
  }
}

}  // namespace ivarscan
