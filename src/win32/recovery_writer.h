// The recovery file's writer: a thread of its own that composes, writes, flushes and puts
// in place each file it is handed, so the window never waits for a disk that spins up or
// a USB stick that takes its time. Only the newest file is worth writing: one handed while
// another waits replaces it. Each write done is posted to the window that handed it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "system/platform.h"
#include "win32/worker_thread.h"

namespace reelmark::win32 {

class RecoveryWriter {
 public:
  struct Job {
    std::uint32_t number = 0;
    std::wstring path;
    std::function<std::string()> compose;
    std::uint32_t attributes = 0;
    HWND notify = nullptr;  // gets kRecoveryWrittenMessage when it is done
  };

  void Hand(Job job);
  // Waits until nothing waits or is being written, at most `maxWaitMs`: the last write's
  // outcome, or nothing when the thread is still at it or never wrote.
  std::optional<WriterOutcome> Wait(unsigned maxWaitMs);

 private:
  struct State : WorkerState {
    std::optional<Job> next;
    bool busy = false;
    std::optional<WriterOutcome> last;
  };
  static void Run(State& state);
  // Writes the job and tells its window.
  static void Do(State& state, const Job& job);

  // The end has waited for the last write already; this is for a write just finishing.
  WorkerThread<State> thread_{&Run, 500};
};

}  // namespace reelmark::win32
