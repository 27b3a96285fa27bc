#include "platform/error_services.h"

#include <algorithm>
#include <cstring>

namespace ivarscan {
namespace {

constexpr std::size_t kArgumentsOffset = 4;

struct ErrorSlots {
  ErrorHandler handler;
  ErrorFactory factory = nullptr;
};

ErrorSlots& Slots() {
  static ErrorSlots* slots = new ErrorSlots;  // never destroyed: handlers run until exit
  return *slots;
}

}  // namespace

std::basic_string<unsigned char> MakeRawArgumentList(const std::vector<const char*>& arguments) {
  const auto count = static_cast<std::uint16_t>(arguments.size());
  std::basic_string<unsigned char> bytes(kArgumentsOffset + count * sizeof(const char*), 0);
  const RawArgumentList header{count, 0};
  std::memcpy(bytes.data(), &header, sizeof header);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::memcpy(bytes.data() + kArgumentsOffset + i * sizeof(const char*), &arguments[i],
                sizeof(const char*));
  }
  return bytes;
}

std::vector<std::string> ReadRawArguments(const void* list) {
  std::vector<std::string> arguments;
  if (list == nullptr) return arguments;
  RawArgumentList header;
  std::memcpy(&header, list, sizeof header);
  const auto* bytes = static_cast<const unsigned char*>(list);
  const std::size_t count = std::max(header.count_a, header.count_b);
  for (std::size_t i = 0; i < count; ++i) {
    const char* text;
    std::memcpy(&text, bytes + kArgumentsOffset + i * sizeof(const char*), sizeof text);
    arguments.emplace_back(text != nullptr ? text : "");
  }
  return arguments;
}

const ErrorHandler& ErrorBlock() { return Slots().handler; }

ErrorHandler ErrorBlock(ErrorHandler handler) {
  std::swap(Slots().handler, handler);
  return handler;
}

ErrorFactory ErrorFunc(ErrorFactory factory) {
  std::swap(Slots().factory, factory);
  return factory;
}

std::shared_ptr<ErrorRecord> ErrorBuild(const RawError& raw) {
  ErrorFactory factory = Slots().factory;
  return factory != nullptr ? factory(&raw) : nullptr;
}

}  // namespace ivarscan
