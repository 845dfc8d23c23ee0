// The end-to-end driver: runs every scenario (or those whose names contain one of the
// extra arguments), prints one line each and a last line "N passed, M failed".
//   reelmark_e2e_driver REELMARK_EXE STANDIN_EXE [NAME...]
//   reelmark_e2e_driver [--desktop=NAME] --demo-STEP   (steps of scripts/demo.sh, see demo.h)
//   reelmark_e2e_driver --measure-startup REELMARK_EXE STANDIN_EXE BARE_EXE [RUNS]   (see measure_startup.h)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "demo.h"
#include "measure_startup.h"
#include "desktop.h"
#include "player_files.h"
#include "scenario.h"
#include "text.h"
#include "wine_setup.h"

namespace e2e {
namespace {

void Print(const std::string& line) {
  const std::string out = line + "\n";
  fwrite(out.data(), 1, out.size(), stdout);
  fflush(stdout);
}

bool Chosen(const Scenario& scenario, const std::vector<std::wstring>& filters) {
  if (filters.empty()) return true;
  const std::wstring name = FromUtf8(scenario.name);
  for (const auto& filter : filters) {
    if (name.find(filter) != std::wstring::npos) return true;
  }
  return false;
}

// A player window left open by anything else would be closed and captured by Reelmark.
std::wstring StrayPlayerWindow() {
  for (HWND window : TopLevelWindows(0, false)) {
    const std::wstring title = TextOf(window);
    if (title.compare(0, 10, L"MPlayer - ") == 0) return title;
  }
  return {};
}

bool RunOne(const Scenario& scenario, const Programs& programs) {
  const ULONGLONG started = GetTickCount64();
  Checks checks;
  std::string error;
  auto folder = PlayerFolder::Create(programs, FromUtf8(scenario.name), error);
  if (!folder) {
    checks.Expect(false, "setting up the player folder: " + error);
  } else if (const std::wstring stray = StrayPlayerWindow(); !stray.empty()) {
    checks.Expect(false, "another player window is open (" + Shown(stray) + "); it would be captured");
  } else {
    Context context{checks, *folder};
    try {
      scenario.run(context);
    } catch (const ScenarioStopped&) {
      // The failure is recorded; processes end as the scenario's objects go.
    }
  }
  const bool passed = checks.Failures().empty();
  if (!passed && folder) folder->Keep();
  char seconds[32];
  snprintf(seconds, sizeof seconds, "%.1f s", static_cast<double>(GetTickCount64() - started) / 1000.0);
  std::string line = std::string(passed ? "PASS " : "FAIL ") + scenario.name + " (" + seconds + ")";
  for (size_t i = 0; i < checks.Failures().size(); ++i) line += (i ? "; " : ": ") + checks.Failures()[i];
  if (!passed && folder) line += " [folder kept: " + ToUtf8(folder->Path()) + "]";
  Print(line);
  return passed;
}

std::vector<std::wstring> Arguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
  LocalFree(words);
  return arguments;
}

int Run() {
  const std::vector<std::wstring> arguments = Arguments();
  if (!arguments.empty() && (arguments[0].rfind(L"--demo", 0) == 0 || arguments[0].rfind(L"--desktop=", 0) == 0)) {
    return RunDemoStep(arguments);
  }
  if (!arguments.empty() && arguments[0] == L"--measure-startup") return MeasureStartup(arguments);
  if (arguments.size() < 2) {
    Print("usage: reelmark_e2e_driver REELMARK_EXE STANDIN_EXE [NAME...]");
    return 2;
  }
  const Programs programs{WindowsPath(arguments[0]), WindowsPath(arguments[1])};
  const std::vector<std::wstring> filters(arguments.begin() + 2, arguments.end());

  UseUnmanagedWindowsUnderWine();
  std::vector<Scenario> scenarios;
  AddStartupScenarios(scenarios);
  AddCaptureScenarios(scenarios);
  AddEditingScenarios(scenarios);
  AddShutdownScenarios(scenarios);
  AddListsScenarios(scenarios);
  AddPlayerScenarios(scenarios);
  AddWindowScenarios(scenarios);
  AddDropScenarios(scenarios);
  AddTrayScenarios(scenarios);
  AddFocusAndSessionScenarios(scenarios);
  AddSingleCopyScenarios(scenarios);

  int passed = 0, failed = 0;
  // The expected file bytes are code page 936; the program writes the system's ANSI page.
  if (GetACP() != kFileCodePage) {
    Print("FAIL code-page: expected the ANSI code page 936, seen " + std::to_string(GetACP()) +
          " (run under Wine with LC_ALL=zh_CN.UTF-8)");
    ++failed;
  }
  for (const Scenario& scenario : scenarios) {
    if (!Chosen(scenario, filters)) continue;
    (RunOne(scenario, programs) ? passed : failed)++;
  }
  Print(std::to_string(passed) + " passed, " + std::to_string(failed) + " failed");
  return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace
}  // namespace e2e

int main() { return e2e::Run(); }
