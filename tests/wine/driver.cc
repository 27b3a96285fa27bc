// The Wine test driver: runs one named scenario against a program in a working folder.
//   driver.exe SCENARIO FOLDER [--shots]
//   driver.exe --list          prints the names of every scenario, one a line
// It prints "PASS SCENARIO" or "FAIL SCENARIO: reason", writes the same line to
// FOLDER\driver.log (for runs inside Wine's virtual desktop, whose output is lost), and
// exits with 0 when the scenario passed.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "tests/wine/scenarios.h"

namespace {

using ivarscan::wine::NamedScenario;

const NamedScenario* FindScenario(const std::string& name) {
  for (const NamedScenario& scenario : ivarscan::wine::AllScenarios()) {
    if (name == scenario.name) return &scenario;
  }
  return nullptr;
}

// Ends the driver at once on a crash, instead of waiting for Wine's debugger.
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) { return EXCEPTION_EXECUTE_HANDLER; }

}  // namespace

int main(int argc, char** argv) {
  ::SetUnhandledExceptionFilter(&EndOnCrash);
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const NamedScenario& scenario : ivarscan::wine::AllScenarios()) {
      std::cout << scenario.name << "\n";
    }
    return 0;
  }
  if (argc < 3) {
    std::cerr << "usage: driver.exe SCENARIO FOLDER [--shots]\n";
    return 2;
  }
  const std::string name = argv[1];
  const NamedScenario* named = FindScenario(name);
  if (named == nullptr) {
    std::cerr << "unknown scenario " << name << "\n";
    return 2;
  }
  const bool screenshots = argc > 3 && std::strcmp(argv[3], "--shots") == 0;

  std::string outcome = "PASS " + name;
  try {
    ivarscan::wine::Scenario scenario(argv[2], screenshots);
    named->run(scenario);
  } catch (const std::exception& failure) {
    outcome = "FAIL " + name + ": " + failure.what();
  }
  std::cout << outcome << std::endl;
  std::ofstream(std::string(argv[2]) + "\\driver.log", std::ios::app) << outcome << "\n";
  return outcome.rfind("PASS", 0) == 0 ? 0 : 1;
}
