#include "process.h"

#include <vector>

namespace e2e {

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
  if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      directory.c_str(), &startup, &info)) {
    return process;
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
    WaitForSingleObject(handle_.get(), 5000);
  }
}

}  // namespace e2e
