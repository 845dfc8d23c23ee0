// The programs of one scenario, found by process handle when it is over. Every program
// the scenario starts goes into the scenario's job, and so does every program those start
// in turn (the players the program under test starts for a replay, a playlist, a verb),
// whether or not a window of theirs has shown yet. A program of a scenario's folder that
// runs outside the job is found by where its image lies.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/unique_handle.h"

namespace e2e {

// A program found still running when it should not be, and what became of it.
struct Leftover {
  std::wstring image;
  DWORD id = 0;
  bool ended = false;  // it ended when told to, within the limit
};
// "mplayer.exe (process 42)", one after another; "would not end" where it did not.
std::string Described(const std::vector<Leftover>& leftovers);

class ScenarioJob {
 public:
  // From now until the job goes, every program the driver starts is put in it.
  ScenarioJob();
  // Ends whatever is still in it.
  ~ScenarioJob();
  ScenarioJob(const ScenarioJob&) = delete;
  ScenarioJob& operator=(const ScenarioJob&) = delete;

  // Ends every program still in the job and waits for each: its windows are asked to close
  // first (ending a program with a shown window takes Wine seconds), and what still runs
  // then is terminated. Returns what was running.
  std::vector<Leftover> EndAll();

 private:
  reelmark::win32::UniqueKernelHandle job_;
};

// Ends the programs whose image lies under `prefix` (a folder, or the start of the names
// of many) and waits for each. Returns what was running.
std::vector<Leftover> EndProgramsUnder(const std::wstring& prefix);

}  // namespace e2e
