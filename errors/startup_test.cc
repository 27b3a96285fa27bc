#include "errors/startup.h"

#include <gtest/gtest.h>

#include "errors/def_error.h"
#include "errors/testing/error_handling_test.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

// Every item fails, so the settings take their fallbacks; the queries are counted.
class SilentLocale final : public LocaleInfo {
 public:
  std::uint32_t UserDefaultLcid() override { return 0; }
  int Query(std::uint32_t, std::uint32_t, char*, int) override {
    ++queries;
    return 0;
  }
  int queries = 0;
};

class StartupTest : public ErrorHandlingTest {
 protected:
  void SetUp() override {
    ErrorHandlingTest::SetUp();
    Settings() = RuntimeSettings{};
  }
  // Whether the installed handler is DEFERROR: it reports a record through the box.
  bool HandlerIsDefError() {
    const std::size_t before = box_.shown().size();
    box_.Answer(kDefaultChoice);
    auto record = std::make_shared<ErrorRecord>();
    record->GENCODE = gencode::kRead;
    ErrorBlock()(ErrorValue(record));
    return box_.shown().size() == before + 1;
  }
  SilentLocale locale_;
};

TEST_F(StartupTest, InstallsHandlerFactoryAndLocale) {
  ErrorStartupHook(kVariant25, true, locale_);
  ASSERT_TRUE(ErrorBlock());
  EXPECT_TRUE(HandlerIsDefError());
  EXPECT_EQ(ErrorFunc(nullptr), &DefErrorGen);
  EXPECT_EQ(Settings().mode, 1u);
  EXPECT_TRUE(Settings().century);
}

TEST_F(StartupTest, AnInstalledHandlerIsLeftAloneAndTheLocaleNotApplied) {
  int calls = 0;
  ErrorBlock([&](const ErrorValue&) {
    ++calls;
    return ErrorAnswer{};
  });
  ErrorStartupHook(kVariant25, true, locale_);
  EXPECT_FALSE(HandlerIsDefError());
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(locale_.queries, 0);
  EXPECT_EQ(ErrorFunc(nullptr), &DefErrorGen);
}

TEST_F(StartupTest, LaterInitialisationsRegisterNoFactory) {
  ErrorStartupHook(kVariant25, false, locale_);
  EXPECT_TRUE(HandlerIsDefError());
  EXPECT_EQ(ErrorFunc(nullptr), nullptr);
}

TEST_F(StartupTest, Ide20ReplacesAnyHandlerOnTheFirstInitialisationOnly) {
  ErrorBlock([](const ErrorValue&) { return ErrorAnswer{}; });
  ErrorStartupHook(kVariant20, false, locale_);
  EXPECT_FALSE(HandlerIsDefError());
  EXPECT_EQ(locale_.queries, 0);
  ErrorStartupHook(kVariant20, true, locale_);
  EXPECT_TRUE(HandlerIsDefError());
  EXPECT_EQ(ErrorFunc(nullptr), &DefErrorGen);
  EXPECT_EQ(Settings().mode, 1u);
  EXPECT_FALSE(Settings().century);
}

}  // namespace
}  // namespace ivarscan
