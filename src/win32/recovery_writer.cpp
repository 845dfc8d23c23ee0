#include "win32/recovery_writer.h"

#include <utility>

#include "win32/win32_platform.h"

namespace reelmark::win32 {

void RecoveryWriter::Hand(Job job) {
  State& state = thread_.state();
  {
    const Locked locked(state.lock);
    state.next = std::move(job);
  }
  thread_.Wake();
  if (thread_.Start()) return;
  // No thread to be had: written here, late rather than never.
  std::optional<Job> now;
  {
    const Locked locked(state.lock);
    now.swap(state.next);
  }
  if (now) Do(state, *now);
}

void RecoveryWriter::Run(State& state) {
  for (;;) {
    Job job;
    {
      const Locked locked(state.lock);
      // What was handed before the stop is still written: it may be the end's last word.
      state.WaitUntil([&state] { return state.next.has_value(); });
      if (!state.next) return;
      job = std::move(*state.next);
      state.next.reset();
      state.busy = true;
    }
    Do(state, job);
  }
}

void RecoveryWriter::Do(State& state, const Job& job) {
  const bool succeeded = ReplaceFileInOneStep(job.path, job.compose(), OldAttributes::Clear) == 0;
  if (succeeded) ::SetFileAttributesW(job.path.c_str(), job.attributes);
  {
    const Locked locked(state.lock);
    state.busy = false;
    state.last = WriterOutcome{job.number, succeeded};
  }
  ::WakeAllConditionVariable(&state.changed);
  ::PostMessageW(job.notify, kRecoveryWrittenMessage, job.number, succeeded);
}

std::optional<WriterOutcome> RecoveryWriter::Wait(unsigned maxWaitMs) {
  State& state = thread_.state();
  const ULONGLONG deadline = ::GetTickCount64() + maxWaitMs;
  const Locked locked(state.lock);
  while (state.next || state.busy) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return std::nullopt;
    ::SleepConditionVariableSRW(&state.changed, &state.lock, static_cast<DWORD>(deadline - now), 0);
  }
  return state.last;
}

}  // namespace reelmark::win32
