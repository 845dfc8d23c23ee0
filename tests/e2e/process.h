// A program the driver started. It is ended when the owner goes; what it started in turn
// is ended with the scenario's job (scenario_processes.h).
#pragma once

#include <windows.h>

#include <string>

#include "win32/unique_handle.h"

namespace e2e {

class Process {
 public:
  // Starts `exe` with `arguments` (appended after the quoted program path as they are)
  // in `directory`, shown normally. Returns an empty Process when it cannot start.
  static Process Start(const std::wstring& exe, const std::wstring& arguments,
                       const std::wstring& directory);
  // Every program started from now on goes into `job` (none when null) before it runs a
  // line, so every program it starts in turn is in the job as well.
  static void StartInJob(HANDLE job);

  Process() = default;
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;
  ~Process() { Kill(); }

  explicit operator bool() const { return static_cast<bool>(handle_); }
  DWORD Id() const { return id_; }
  HANDLE Handle() const { return handle_.get(); }
  bool Running() const;
  // True when the process has ended within `ms`.
  bool WaitExit(DWORD ms) const;
  // Ends the process if it still runs and waits briefly for it.
  void Kill();

 private:
  reelmark::win32::UniqueKernelHandle handle_;
  DWORD id_ = 0;
};

}  // namespace e2e
