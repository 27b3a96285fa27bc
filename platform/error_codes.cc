#include "platform/error_codes.h"

#include <iterator>

namespace ivarscan {
namespace {

struct CodeText {
  std::uint32_t code;
  const char* text;
};

constexpr CodeText kErrorTexts[] = {
    {0, "No error"},
    {gencode::kArgument, "Invalid argument"},
    {gencode::kBound, "Index out of bounds"},
    {gencode::kStringOverflow, "Text too long"},
    {gencode::kNumericOverflow, "Numeric overflow"},
    {gencode::kZeroDivide, "Division by zero"},
    {gencode::kNumeric, "Numeric error"},
    {gencode::kSyntax, "Syntax error"},
    {gencode::kComplexity, "Expression too complex"},
    {gencode::kMemory, "Out of memory"},
    {gencode::kNoFunction, "Undefined function"},
    {gencode::kNoMethod, "No such method"},
    {gencode::kNoVariable, "No such variable"},
    {gencode::kNoAlias, "No such alias"},
    {gencode::kNoVariableMethod, "No such exported variable"},
    {gencode::kBadAlias, "Invalid alias"},
    {gencode::kDuplicateAlias, "Alias already in use"},
    {gencode::kCreate, "Cannot create file"},
    {gencode::kOpen, "Cannot open file"},
    {gencode::kClose, "Cannot close file"},
    {gencode::kRead, "Cannot read file"},
    {gencode::kWrite, "Cannot write file"},
    {gencode::kPrint, "Cannot print"},
    {gencode::kWrongClass, "Wrong class"},
    {gencode::kUnsupported, "Operation not supported"},
    {gencode::kLimit, "Limit exceeded"},
    {gencode::kCorruption, "Data corrupted"},
    {gencode::kDataType, "Wrong data type"},
    {gencode::kDataWidth, "Wrong data width"},
    {gencode::kNoTable, "No table open"},
    {gencode::kNoOrder, "No order set"},
    {gencode::kShared, "Exclusive use required"},
    {gencode::kUnlocked, "Lock required"},
    {gencode::kReadOnly, "Writing not allowed"},
    {gencode::kAppendLock, "Append lock failed"},
    {gencode::kLock, "Lock failed"},
    {gencode::kOsException, "Operating-system exception"},
    {gencode::kException, "Unhandled program exception"},
    {gencode::kInternal, "Internal error"},
};

constexpr CodeText kTypeNames[] = {
    {typecode::kNone, "NIL"},
    {typecode::kLong, "LONGINT"},
    {typecode::kDate, "DATE"},
    {typecode::kFloat, "FLOAT"},
    {typecode::kArray, "ARRAY"},
    {typecode::kObject, "OBJECT"},
    {typecode::kString, "STRING"},
    {typecode::kLogic, "LOGIC"},
    {typecode::kCodeblock, "CODEBLOCK"},
    {typecode::kSymbol, "SYMBOL"},
    {typecode::kDword, "DWORD"},
    {typecode::kPointer, "PTR"},
};

template <std::size_t N>
const char* Lookup(const CodeText (&table)[N], std::uint32_t code, const char* missing) {
  for (const CodeText& entry : table) {
    if (entry.code == code) return entry.text;
  }
  return missing;
}

}  // namespace

const char* ErrString(std::uint32_t gencode) {
  return Lookup(kErrorTexts, gencode, "Unknown error");
}

const char* TypeString(std::uint32_t type) { return Lookup(kTypeNames, type, "UNKNOWN"); }

}  // namespace ivarscan
