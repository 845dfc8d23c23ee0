// The recovery file's writer: a thread of its own that composes, writes, flushes and puts
// in place each file it is handed, so the window never waits for a disk that spins up or
// a USB stick that takes its time. Only the newest file is worth writing: one handed while
// another waits replaces it. Each write done is posted to the window that handed it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "system/platform.h"
#include "win32/unique_handle.h"

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

  RecoveryWriter() = default;
  // Tells the thread to stop and gives it a moment; one stuck on a disk that does not
  // answer is left to end with the process, never killed.
  ~RecoveryWriter();
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  void Hand(Job job);
  // Waits until nothing waits or is being written, at most `maxWaitMs`: the last write's
  // outcome, or nothing when the thread is still at it or never wrote.
  std::optional<WriterOutcome> Wait(unsigned maxWaitMs);

 private:
  // What the thread and the window share, behind the lock: it lives as long as either
  // needs it, so a thread that outlives its writer still finds it.
  struct Shared {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;  // a job came, a job was done, stop
    std::optional<Job> next;
    bool busy = false;
    bool stopping = false;
    std::optional<WriterOutcome> last;
  };
  static unsigned CALLBACK ThreadProc(void* shared);
  static bool Write(const Job& job);
  bool StartThread();

  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  UniqueKernelHandle thread_;
};

}  // namespace reelmark::win32
