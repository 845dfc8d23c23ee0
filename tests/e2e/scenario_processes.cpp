#include "scenario_processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "desktop.h"
#include "process.h"
#include "text.h"

namespace e2e {
namespace {

using reelmark::win32::UniqueKernelHandle;

// A program asked to close by its windows ends within this; one that does not is terminated.
constexpr DWORD kCloseMs = 5000;
// Wine asks for the full query right where Windows takes the limited one (IsProcessInJob).
constexpr DWORD kAccess = PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION;

struct Running {
  UniqueKernelHandle handle;
  DWORD id = 0;
  std::wstring image;
};

std::wstring ImageOf(HANDLE process) {
  wchar_t path[MAX_PATH * 4];
  DWORD size = MAX_PATH * 4;
  return QueryFullProcessImageNameW(process, 0, path, &size) ? std::wstring(path, size) : std::wstring();
}

bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
  return text.size() >= prefix.size() &&
         CompareStringOrdinal(text.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                              static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

bool Ended(HANDLE process, DWORD ms) { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }

// Asks the programs with a shown window to close through it, terminates the others and
// those still running after that, and waits for every one.
std::vector<Leftover> End(std::vector<Running> running) {
  std::vector<bool> asked;
  for (const Running& program : running) {
    const std::vector<HWND> windows = TopLevelWindows(program.id, true);
    for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
    asked.push_back(!windows.empty());
  }
  const ULONGLONG closeBy = GetTickCount64() + kCloseMs;
  std::vector<Leftover> ended;
  for (size_t i = 0; i < running.size(); ++i) {
    const ULONGLONG now = GetTickCount64();
    const DWORD patience = asked[i] && now < closeBy ? static_cast<DWORD>(closeBy - now) : 0;
    if (!Ended(running[i].handle.get(), patience)) TerminateProcess(running[i].handle.get(), 1);
  }
  for (const Running& program : running) {
    ended.push_back({program.image, program.id, Ended(program.handle.get(), kWaitMs)});
  }
  return ended;
}

}  // namespace

std::string Described(const std::vector<Leftover>& leftovers) {
  std::string text;
  for (const Leftover& left : leftovers) {
    if (!text.empty()) text += ", ";
    text += ToUtf8(left.image) + " (process " + std::to_string(left.id) + ")";
    if (!left.ended) text += " would not end";
  }
  return text;
}

ScenarioJob::ScenarioJob() : job_(CreateJobObjectW(nullptr, nullptr)) {
  // Should the driver itself end, the system ends the scenario's programs with it.
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job_) SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  Process::StartInJob(job_.get());
}

ScenarioJob::~ScenarioJob() {
  Process::StartInJob(nullptr);
  EndAll();
}

std::vector<Leftover> ScenarioJob::EndAll() {
  if (!job_) return {};
  // The list is a count and the numbers after it, read out of the bytes the system wrote:
  // the structure declares room for one number only.
  constexpr size_t kMost = 256;
  constexpr size_t kNumbersAt = offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, ProcessIdList);
  std::vector<unsigned char> bytes(kNumbersAt + kMost * sizeof(ULONG_PTR));
  if (!QueryInformationJobObject(job_.get(), JobObjectBasicProcessIdList, bytes.data(),
                                 static_cast<DWORD>(bytes.size()), nullptr)) {
    return {};  // more than the most: the job's closing ends them all
  }
  JOBOBJECT_BASIC_PROCESS_ID_LIST header{};
  std::memcpy(&header, bytes.data(), kNumbersAt);
  std::vector<Running> running;
  for (size_t i = 0; i < std::min<size_t>(header.NumberOfProcessIdsInList, kMost); ++i) {
    ULONG_PTR number = 0;
    std::memcpy(&number, bytes.data() + kNumbersAt + i * sizeof number, sizeof number);
    const auto id = static_cast<DWORD>(number);
    UniqueKernelHandle handle(OpenProcess(kAccess, FALSE, id));
    // The number may have passed to another program since the list was taken: only a
    // member of the job is ended.
    BOOL member = FALSE;
    if (!handle || !IsProcessInJob(handle.get(), job_.get(), &member) || !member) continue;
    if (Ended(handle.get(), 0)) continue;
    std::wstring image = ImageOf(handle.get());
    running.push_back({std::move(handle), id, std::move(image)});
  }
  return End(std::move(running));
}

std::vector<Leftover> EndProgramsUnder(const std::wstring& prefix) {
  const UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return {};
  std::vector<Running> running;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    UniqueKernelHandle handle(OpenProcess(kAccess, FALSE, entry.th32ProcessID));
    if (!handle || Ended(handle.get(), 0)) continue;
    // The image is read through the handle that would end it, so it names that program.
    std::wstring image = ImageOf(handle.get());
    if (!StartsWithIgnoringCase(image, prefix)) continue;
    running.push_back({std::move(handle), entry.th32ProcessID, std::move(image)});
  }
  return End(std::move(running));
}

}  // namespace e2e
