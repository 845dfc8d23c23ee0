// The end-to-end driver: runs every scenario (or those whose names contain one of the
// extra arguments), prints one line each and a last line "N passed, M failed".
//   reelmark_e2e_driver REELMARK_EXE STANDIN_EXE [NAME...]
//   reelmark_e2e_driver [--desktop=NAME] --demo-STEP   (steps of scripts/demo.sh, see demo.h)
//   reelmark_e2e_driver --measure-startup REELMARK_EXE STANDIN_EXE BARE_EXE SAME_WINDOW_EXE [RUNS]
//     (see measure_startup.h)
//   reelmark_e2e_driver --measure-responsiveness REELMARK_EXE STANDIN_EXE   (see measure_responsiveness.h)
//   reelmark_e2e_driver --measure-marks REELMARK_EXE STANDIN_EXE [DEAD_ROOT]   (see measure_marks.h)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "demo.h"
#include "measure_marks.h"
#include "measure_responsiveness.h"
#include "measure_startup.h"
#include "desktop.h"
#include "player_files.h"
#include "scenario.h"
#include "scenario_processes.h"
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

std::string Seconds(ULONGLONG ms) {
  char text[32];
  snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000.0);
  return text;
}

// Runs the scenarios one after another. Each runs in a folder and a job of its own, and
// what it leaves running is ended before the next begins and counted against it.
class Runner {
 public:
  explicit Runner(const Programs& programs) : programs_(programs) {}

  // True when the scenario passed.
  bool Run(const Scenario& scenario);
  // Ends what the last scenario left that was found only afterwards.
  void EndLastScenario() { EndLeftoversOf("the end of the run"); }
  // Scenarios failed afterwards, for what they left running.
  int LateFailures() const { return lateFailures_; }

 private:
  void EndLeftoversOf(const std::string& before);

  const Programs& programs_;
  std::string last_;  // the scenario that ran last
  int lateFailures_ = 0;
};

// A program of an earlier scenario found still running fails that scenario, not this one.
void Runner::EndLeftoversOf(const std::string& before) {
  const std::vector<Leftover> leftovers = EndProgramsUnder(PlayerFolder::RunPrefix());
  if (leftovers.empty()) return;
  Print("FAIL " + last_ + " (found before " + before + "): left running " + Described(leftovers));
  ++lateFailures_;
}

bool Runner::Run(const Scenario& scenario) {
  if (!last_.empty()) EndLeftoversOf(scenario.name);
  last_ = scenario.name;
  const ULONGLONG started = GetTickCount64();
  Checks checks;
  std::string error;
  auto folder = PlayerFolder::Create(programs_, FromUtf8(scenario.name), error);
  if (!folder) {
    checks.Expect(false, "setting up the player folder: " + error);
  } else if (const std::wstring stray = StrayPlayerWindow(); !stray.empty()) {
    checks.Expect(false, "another player window is open (" + Shown(stray) + "); it would be captured");
  } else {
    ScenarioJob job;
    Context context{checks, *folder};
    try {
      scenario.run(context);
    } catch (const ScenarioStopped&) {
      // The failure is recorded; the scenario's objects end their own programs as they go.
    }
    // Whatever is still running is the scenario's to end: the players the program under
    // test started for it, and anything a failure left behind.
    std::vector<Leftover> left = job.EndAll();
    std::erase_if(left, [](const Leftover& l) { return l.ended; });
    checks.Expect(left.empty(), "left running at the end: " + Described(left));
  }
  // Nothing of the scenario runs outside its job; what does is ended and reported.
  const std::vector<Leftover> outside = EndProgramsUnder(PlayerFolder::RunPrefix());
  checks.Expect(outside.empty(), "ran outside the scenario's job: " + Described(outside));
  const bool passed = checks.Failures().empty();
  if (!passed && folder) folder->Keep();
  std::string line = std::string(passed ? "PASS " : "FAIL ") + scenario.name + " (" +
                     Seconds(GetTickCount64() - started) + ")";
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
  if (!arguments.empty() && arguments[0] == L"--measure-responsiveness") return MeasureResponsiveness(arguments);
  if (!arguments.empty() && arguments[0] == L"--measure-marks") return MeasureMarks(arguments);
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
  AddRecoveryScenarios(scenarios);
  AddMarksScenarios(scenarios);

  int passed = 0, failed = 0;
  // The expected file bytes are code page 936; the program writes the system's ANSI page.
  if (GetACP() != kFileCodePage) {
    Print("FAIL code-page: expected the ANSI code page 936, seen " + std::to_string(GetACP()) +
          " (run under Wine with LC_ALL=zh_CN.UTF-8)");
    ++failed;
  }
  Runner runner(programs);
  for (const Scenario& scenario : scenarios) {
    if (!Chosen(scenario, filters)) continue;
    (runner.Run(scenario) ? passed : failed)++;
  }
  runner.EndLastScenario();
  failed += runner.LateFailures();
  Print(std::to_string(passed) + " passed, " + std::to_string(failed) + " failed");
  return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace
}  // namespace e2e

int main() { return e2e::Run(); }
