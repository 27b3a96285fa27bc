// The scenarios the driver can run, each a short function over a Scenario.
#ifndef IVARSCAN_TESTS_WINE_SCENARIOS_H_
#define IVARSCAN_TESTS_WINE_SCENARIOS_H_

#include <vector>

#include "tests/wine/scenario.h"

namespace ivarscan::wine {

struct NamedScenario {
  const char* name;
  void (*run)(Scenario& scenario);
};

// Scenarios of the smoke program (smoke.exe): the front end's boxes and dialogs.
const std::vector<NamedScenario>& SmokeScenarios();

// Scenarios of the desktop programs (ivarscan.exe, ivarscan20.exe).
const std::vector<NamedScenario>& DesktopScenarios();

// Scenarios of the console programs (ivarscan.com) that need a Windows console.
const std::vector<NamedScenario>& ConsoleScenarios();

// Every scenario: the smoke program's, the desktop programs', the console programs'.
const std::vector<NamedScenario>& AllScenarios();

}  // namespace ivarscan::wine

#endif  // IVARSCAN_TESTS_WINE_SCENARIOS_H_
