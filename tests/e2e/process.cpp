#include "process.h"

#include <vector>

#include "desktop.h"

namespace e2e {
namespace {

HANDLE g_job = nullptr;  // the job of the scenario running now

}  // namespace

void Process::StartInJob(HANDLE job) { g_job = job; }

Process Process::Start(const std::wstring& exe, const std::wstring& arguments,
                       const std::wstring& directory) {
  std::wstring line = L"\"" + exe + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  Process process;
  // Held until it is in the job: a program that ran first could start another outside it.
  const DWORD flags = g_job ? CREATE_SUSPENDED : 0;
  if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      directory.c_str(), &startup, &info)) {
    return process;
  }
  if (g_job) {
    // Should the system refuse, the program still runs: the runner then finds it by where
    // its image lies.
    AssignProcessToJobObject(g_job, info.hProcess);
    ResumeThread(info.hThread);
  }
  CloseHandle(info.hThread);
  process.handle_ = reelmark::win32::UniqueKernelHandle(info.hProcess);
  process.id_ = info.dwProcessId;
  return process;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    handle_ = std::move(other.handle_);
    id_ = other.id_;
  }
  return *this;
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(DWORD ms) const {
  return !handle_ || WaitForSingleObject(handle_.get(), ms) == WAIT_OBJECT_0;
}

void Process::Kill() {
  if (Running()) {
    TerminateProcess(handle_.get(), 1);
    WaitForSingleObject(handle_.get(), kWaitMs);
  }
}

}  // namespace e2e
