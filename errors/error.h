// ErrorRecord, the error record: one failure, as the runtime services describe it and the
// error handler reports it. The fields keep their declaration order and names. (The class is
// not called ERROR because the Windows headers define a macro of that name.)
#ifndef IVARSCAN_ERRORS_ERROR_H_
#define IVARSCAN_ERRORS_ERROR_H_

#include <any>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/symbol_table.h"

namespace ivarscan {

class ErrorRecord : public std::enable_shared_from_this<ErrorRecord> {
 public:
  std::string SUBSYSTEM;
  std::uint32_t SUBCODE = 0;   // the variant's OS-exception sub-code marks an OS exception
  std::uint32_t GENCODE = 0;   // platform/error_codes.h; 0 = none
  std::uint32_t OSCODE = 0;    // OS error code, or the exception code
  std::uint32_t SEVERITY = 0;  // 1 warning, 2 error, 3 raised by the handler
  bool CANDEFAULT = false;
  bool CANRETRY = false;
  bool CANSUBSTITUTE = false;
  std::string OPERATION;
  std::string DESCRIPTION;
  std::string FILENAME;
  std::vector<std::string> ARGS;
  std::uint32_t TRIES = 0;
  Symbol FUNCSYM = 0;  // exception information for an OS exception
  std::uint32_t FILEHANDLE = 0;
  std::uint32_t ARGNUM = 0;       // number of exception parameters for an OS exception
  const void* FUNCPTR = nullptr;  // exception address for an OS exception
  std::string SUBCODETEXT;
  std::string ARG;
  std::uint32_t ARGTYPE = 0;  // exception flags for an OS exception
  std::uint32_t ARGTYPEREQ = 0;
  std::uint32_t MAXSIZE = 0;
  std::uint32_t SUBSTITUTETYPE = 0;
  std::uint32_t CHOICE = 0;  // a pre-set answer; carried, never consulted
  Symbol CALLFUNCSYM = 0;
  std::any CARGO;
  std::any METHODSELF;

  // Hands this record to the error handler installed now; nothing happens when none is.
  // A record not owned by a shared_ptr is handed over as a copy.
  void THROW();
};

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_ERROR_H_
