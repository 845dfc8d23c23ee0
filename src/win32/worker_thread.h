// A thread of its own for work the window must never wait for: a disk that spins up, a
// share whose server sleeps. What it shares with the window lives as long as either of
// them needs it, so at the program's end the thread is told to stop and given a moment,
// and one stuck in the system is left to end with the process, never killed.
#pragma once

#include <windows.h>

#include <process.h>

#include <memory>

#include "win32/unique_handle.h"

namespace reelmark::win32 {

// Holds the lock for as long as it lives.
class Locked {
 public:
  explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  SRWLOCK& lock_;
};

// What the window and the thread share: the rest of it lives behind `lock`, and
// `changed` wakes whichever side waits for it.
struct WorkerState {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
  bool stopping = false;
  // Waits on `changed` (the lock held) until `done()` or the stop.
  template <typename Done>
  void WaitUntil(Done done) {
    while (!done() && !stopping) ::SleepConditionVariableSRW(&changed, &lock, INFINITE, 0);
  }
};

// `State` is a WorkerState; `body(state)` runs on the thread until it returns, as it
// should once `stopping` is set.
template <typename State>
class WorkerThread {
 public:
  using Body = void (*)(State& state);
  // `stopWaitMs`: how long the end gives the thread to stop (an idle one does at once).
  WorkerThread(Body body, DWORD stopWaitMs) : body_(body), stopWaitMs_(stopWaitMs) {}
  ~WorkerThread() {
    {
      const Locked locked(state_->lock);
      state_->stopping = true;
    }
    ::WakeAllConditionVariable(&state_->changed);
    if (thread_ && stopWaitMs_ > 0) ::WaitForSingleObject(thread_.get(), stopWaitMs_);
  }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  State& state() { return *state_; }
  void Wake() { ::WakeAllConditionVariable(&state_->changed); }
  // Starts the thread unless it runs; false when no thread could be had.
  bool Start() {
    if (thread_) return true;
    auto* start = new Start_{state_, body_};  // the thread's own hold on the state
    // The C runtime's own start, as the thread allocates.
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, &Main, start, 0, nullptr);
    if (thread == 0) {
      delete start;
      return false;
    }
    thread_.reset(reinterpret_cast<HANDLE>(thread));
    return true;
  }

 private:
  struct Start_ {
    std::shared_ptr<State> state;
    Body body;
  };
  static unsigned CALLBACK Main(void* parameter) {
    const std::unique_ptr<Start_> start(static_cast<Start_*>(parameter));
    start->body(*start->state);
    return 0;
  }

  std::shared_ptr<State> state_ = std::make_shared<State>();
  Body body_;
  DWORD stopWaitMs_;
  UniqueKernelHandle thread_;
};

}  // namespace reelmark::win32
