#include "platform/symbol_table.h"

#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

namespace ivarscan {
namespace {

// The names live in a deque so that their addresses never move; the map's keys view them.
struct SymbolTable {
  std::mutex mutex;
  std::deque<std::string> names{std::string()};
  std::unordered_map<std::string_view, Symbol> symbols{{std::string_view(), 0}};
};

SymbolTable& Table() {
  static SymbolTable* table = new SymbolTable;  // never destroyed: symbols outlive main
  return *table;
}

}  // namespace

Symbol SysAtom(std::string_view name) {
  SymbolTable& table = Table();
  std::lock_guard lock(table.mutex);
  if (auto found = table.symbols.find(name); found != table.symbols.end()) return found->second;
  const std::string& stored = table.names.emplace_back(name);
  const auto symbol = static_cast<Symbol>(table.names.size() - 1);
  table.symbols.emplace(stored, symbol);
  return symbol;
}

const char* SysGetAtomName(Symbol symbol) {
  SymbolTable& table = Table();
  std::lock_guard lock(table.mutex);
  return symbol < table.names.size() ? table.names[symbol].c_str() : "";
}

}  // namespace ivarscan
