#include "win32/recovery_writer.h"

#include <process.h>

#include <utility>

#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

// How long the end of the program gives an idle or finishing thread to stop.
constexpr DWORD kStopWaitMs = 500;

class Locked {
 public:
  explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
  ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  SRWLOCK& lock_;
};

}  // namespace

RecoveryWriter::~RecoveryWriter() {
  {
    const Locked locked(shared_->lock);
    shared_->stopping = true;
  }
  ::WakeAllConditionVariable(&shared_->changed);
  if (thread_) ::WaitForSingleObject(thread_.get(), kStopWaitMs);
}

void RecoveryWriter::Hand(Job job) {
  {
    const Locked locked(shared_->lock);
    shared_->next = std::move(job);
  }
  ::WakeAllConditionVariable(&shared_->changed);
  if (thread_ || StartThread()) return;
  // No thread to be had: written here, late rather than never.
  std::optional<Job> now;
  {
    const Locked locked(shared_->lock);
    now.swap(shared_->next);
  }
  if (!now) return;
  const bool succeeded = Write(*now);
  {
    const Locked locked(shared_->lock);
    shared_->last = WriterOutcome{now->number, succeeded};
  }
  ::PostMessageW(now->notify, kRecoveryWrittenMessage, now->number, succeeded);
}

bool RecoveryWriter::StartThread() {
  // The thread holds the shared state too, for as long as it runs.
  auto* owned = new std::shared_ptr<Shared>(shared_);
  // The C runtime's own start, as the thread allocates.
  const uintptr_t thread = ::_beginthreadex(nullptr, 0, &RecoveryWriter::ThreadProc, owned, 0, nullptr);
  if (thread == 0) {
    delete owned;
    return false;
  }
  thread_.reset(reinterpret_cast<HANDLE>(thread));
  return true;
}

unsigned CALLBACK RecoveryWriter::ThreadProc(void* parameter) {
  const std::unique_ptr<std::shared_ptr<Shared>> owned(static_cast<std::shared_ptr<Shared>*>(parameter));
  Shared& shared = **owned;
  for (;;) {
    Job job;
    {
      const Locked locked(shared.lock);
      // What was handed before the stop is still written: it may be the end's last word.
      while (!shared.next && !shared.stopping) ::SleepConditionVariableSRW(&shared.changed, &shared.lock, INFINITE, 0);
      if (!shared.next) return 0;
      job = std::move(*shared.next);
      shared.next.reset();
      shared.busy = true;
    }
    const bool succeeded = Write(job);
    {
      const Locked locked(shared.lock);
      shared.busy = false;
      shared.last = WriterOutcome{job.number, succeeded};
    }
    ::WakeAllConditionVariable(&shared.changed);
    ::PostMessageW(job.notify, kRecoveryWrittenMessage, job.number, succeeded);
  }
}

bool RecoveryWriter::Write(const Job& job) {
  if (ReplaceFileInOneStep(job.path, job.compose(), OldAttributes::Clear) != 0) return false;
  ::SetFileAttributesW(job.path.c_str(), job.attributes);
  return true;
}

std::optional<WriterOutcome> RecoveryWriter::Wait(unsigned maxWaitMs) {
  const ULONGLONG deadline = ::GetTickCount64() + maxWaitMs;
  const Locked locked(shared_->lock);
  while (shared_->next || shared_->busy) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return std::nullopt;
    ::SleepConditionVariableSRW(&shared_->changed, &shared_->lock, static_cast<DWORD>(deadline - now), 0);
  }
  return shared_->last;
}

}  // namespace reelmark::win32
