// A test fixture for the error handling: a scripted error box, a fresh temporary work
// folder for VOERROR.LOG, and every process-wide setting that the handler reads or changes
// put back after each test.
#ifndef IVARSCAN_ERRORS_TESTING_ERROR_HANDLING_TEST_H_
#define IVARSCAN_ERRORS_TESTING_ERROR_HANDLING_TEST_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "errors/testing/scripted_error_box.h"
#include "platform/env.h"
#include "platform/error_services.h"
#include "platform/runtime_settings.h"
#include "platform/runtime_state.h"

namespace ivarscan {

class ErrorHandlingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ivarscan-errors-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    SetWorkDir(folder_);
    saved_handler_ = ErrorBlock(ErrorHandler());
    saved_factory_ = ErrorFunc(nullptr);
    saved_settings_ = Settings();
    saved_log_ = SetErrorLog(true);
    saved_beep_ = SetBeep(false);
    NetErr(false);
  }

  void TearDown() override {
    ErrorBlock(std::move(saved_handler_));
    ErrorFunc(saved_factory_);
    Settings() = saved_settings_;
    SetErrorLog(saved_log_);
    SetBeep(saved_beep_);
    NetErr(false);
    SetDefaultDir("");
    SetDefault("");
    SetWorkDir("");
    std::filesystem::remove_all(folder_);
  }

  std::string LogPath() const { return JoinPath(folder_, "VOERROR.LOG"); }

  // The error log's contents; empty when there is none.
  std::string ReadLog() const {
    std::string contents;
    Env::Default()->ReadFile(LogPath(), &contents);
    return contents;
  }

  ScriptedErrorBox box_;
  ScopedErrorBox scoped_box_{&box_};
  std::string folder_;

 private:
  ErrorHandler saved_handler_;
  ErrorFactory saved_factory_ = nullptr;
  RuntimeSettings saved_settings_;
  bool saved_log_ = true;
  bool saved_beep_ = false;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_TESTING_ERROR_HANDLING_TEST_H_
