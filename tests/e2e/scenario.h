// A scenario: one run of Reelmark in a fresh player folder, driven like a person and
// checked from outside. The runner gives each its folder and its checks.
#pragma once

#include <vector>

#include "checks.h"
#include "player_folder.h"

namespace e2e {

struct Context {
  Checks& checks;
  const PlayerFolder& folder;
};

struct Scenario {
  const char* name;
  void (*run)(Context&);
};

void AddStartupScenarios(std::vector<Scenario>& scenarios);
void AddCaptureScenarios(std::vector<Scenario>& scenarios);
void AddEditingScenarios(std::vector<Scenario>& scenarios);
void AddShutdownScenarios(std::vector<Scenario>& scenarios);
void AddListsScenarios(std::vector<Scenario>& scenarios);
void AddPlayerScenarios(std::vector<Scenario>& scenarios);
void AddWindowScenarios(std::vector<Scenario>& scenarios);
void AddDropScenarios(std::vector<Scenario>& scenarios);
void AddTrayScenarios(std::vector<Scenario>& scenarios);
void AddFocusAndSessionScenarios(std::vector<Scenario>& scenarios);
void AddSingleCopyScenarios(std::vector<Scenario>& scenarios);
void AddRecoveryScenarios(std::vector<Scenario>& scenarios);
void AddMarksScenarios(std::vector<Scenario>& scenarios);

}  // namespace e2e
