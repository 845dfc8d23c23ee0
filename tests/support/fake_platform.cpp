#include "fake_platform.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "base/path.h"
#include "model/menu.h"

namespace reelmark::testing {

std::wstring FakePlatform::Key(const std::wstring& path) {
  std::wstring key = path;
  for (auto& c : key) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  }
  return key;
}

void FakePlatform::PutFile(const std::wstring& path, std::string bytes, std::uint32_t attributes) {
  files_[Key(path)] = File{std::move(bytes), attributes, ++writeClock};
}

FakePlatform::File& FakePlatform::Written(const std::wstring& path) {
  File& file = files_[Key(path)];
  file.stamp = ++writeClock;
  return file;
}

const FakePlatform::File* FakePlatform::GetFile(const std::wstring& path) const {
  const auto it = files_.find(Key(path));
  return it == files_.end() ? nullptr : &it->second;
}

std::string FakePlatform::Bytes(const std::wstring& path) const {
  const File* file = GetFile(path);
  return file ? file->bytes : std::string{};
}

bool FakePlatform::MayWrite(const std::wstring& what, const std::wstring& path) {
  writeLog.push_back(what);
  if (endAtWrite > 0 && --endAtWrite == 0) throw ProgramEnded{};
  if (!failWritesTo.empty() && Key(failWritesTo) != Key(path)) return true;
  if (failNextWrites > 0) {
    --failNextWrites;
    return false;
  }
  return !failWrites;
}

std::optional<std::string> FakePlatform::ReadFileBytes(const std::wstring& path) {
  readLog.emplace_back(FileNameOf(path));
  const File* file = GetFile(path);
  if (!file || (file->attributes & kAttributeDirectory) || Listed(unreadable, path)) return std::nullopt;
  return file->bytes;
}

bool FakePlatform::Listed(const std::vector<std::wstring>& paths, const std::wstring& path) {
  for (const std::wstring& listed : paths) {
    if (Key(listed) == Key(path)) return true;
  }
  return false;
}

bool FakePlatform::Held(const std::wstring& path) const { return Listed(heldOpen, path) || Listed(unreadable, path); }

bool FakePlatform::WriteFileInPlace(const std::wstring& path, std::string_view bytes) {
  if (endAtWrite == 1) {
    Written(path).bytes.assign(bytes.substr(0, bytes.size() / 2));
  }
  if (!MayWrite(L"write " + std::wstring(FileNameOf(path)), path) || Held(path)) return false;
  if (const File* file = GetFile(path); file && (file->attributes & (kAttributeReadOnly | kAttributeDirectory))) {
    return false;
  }
  Written(path).bytes.assign(bytes);
  return true;
}

SystemError FakePlatform::ReplaceFileAtomically(const std::wstring& path, std::string_view bytes,
                                                OldAttributes old) {
  constexpr SystemError kAccessDenied = 5;
  if (!MayWrite(L"replace " + std::wstring(FileNameOf(path)), path)) return kWriteFailure;
  if (Held(path)) return kSharingViolation;
  const auto it = files_.find(Key(path));
  const std::uint32_t before = it == files_.end() ? 0 : it->second.attributes;
  if (before & kAttributeDirectory) return kAccessDenied;
  if (old == OldAttributes::Keep && (before & kAttributeReadOnly)) return kAccessDenied;
  files_[Key(path)] = File{std::string(bytes), old == OldAttributes::Keep ? before : 0, ++writeClock};
  return 0;
}

SystemError FakePlatform::MoveFileOver(const std::wstring& from, const std::wstring& to) {
  constexpr SystemError kFileNotFound = 2, kAccessDenied = 5;
  if (!MayWrite(L"move " + std::wstring(FileNameOf(from)) + L" " + std::wstring(FileNameOf(to)), to)) return kWriteFailure;
  if (Held(from) || Held(to)) return kSharingViolation;
  const auto source = files_.find(Key(from));
  if (source == files_.end() || (source->second.attributes & kAttributeDirectory)) return kFileNotFound;
  if (const File* target = GetFile(to); target && (target->attributes & kAttributeDirectory)) return kAccessDenied;
  File moved = std::move(source->second);
  files_.erase(source);
  files_[Key(to)] = std::move(moved);
  return 0;
}

bool FakePlatform::RemoveFile(const std::wstring& path) {
  if (!MayWrite(L"remove " + std::wstring(FileNameOf(path)), path) || Held(path)) return false;
  return files_.erase(Key(path)) > 0;
}

std::optional<std::uint32_t> FakePlatform::FileAttributes(const std::wstring& path) {
  attributesAsked.push_back(path);
  for (const wchar_t drive : notReady) {
    if (path.size() >= 2 && path[1] == L':' && (path[0] & ~0x20) == drive) return std::nullopt;
  }
  const File* file = GetFile(path);
  if (!file) return std::nullopt;
  return file->attributes;
}

std::optional<std::uint64_t> FakePlatform::FileStamp(const std::wstring& path) {
  const File* file = GetFile(path);
  if (!file || (file->attributes & kAttributeDirectory)) return std::nullopt;
  return file->stamp;
}

bool FakePlatform::TouchFile(const std::wstring& path) {
  if (!MayWrite(L"touch " + std::wstring(FileNameOf(path)), path) || Held(path)) return false;
  if (const File* file = GetFile(path); file && (file->attributes & kAttributeDirectory)) return false;
  Written(path);
  return true;
}

void FakePlatform::Sleep(unsigned milliseconds) {
  sleeps.push_back(milliseconds);
  now += milliseconds;
  if (whileSleeping) whileSleeping();
}

void FakePlatform::HandToWriter(std::uint32_t number, const std::wstring& path, std::function<std::string()> compose,
                                std::uint32_t attributes) {
  writerJob = WriterJob{number, path, std::move(compose), attributes};
  if (!holdWriter) RunWriter();
}

void FakePlatform::RunWriter() {
  if (!writerJob) return;
  const WriterJob job = std::move(*writerJob);
  writerJob.reset();
  const bool succeeded = ReplaceFileAtomically(job.path, job.compose(), OldAttributes::Clear) == 0;
  if (succeeded) SetAttributes(job.path, job.attributes);
  lastWrite_ = WriterOutcome{job.number, succeeded};
  if (writerDone) writerDone(job.number, succeeded);
}

std::optional<WriterOutcome> FakePlatform::WaitForWriter(unsigned maxWaitMs) {
  writerWaits.push_back(maxWaitMs);
  if (writerStuck) return std::nullopt;
  RunWriter();
  return lastWrite_;
}

bool FakePlatform::SetAttributes(const std::wstring& path, std::uint32_t attributes) {
  const auto it = files_.find(Key(path));
  if (it == files_.end()) return false;
  it->second.attributes = (it->second.attributes & kAttributeDirectory) | attributes;
  return true;
}

DriveKind FakePlatform::KindOfDrive(wchar_t letter) {
  const auto it = driveKinds.find(letter);
  return it == driveKinds.end() ? DriveKind::Fixed : it->second;
}

MessageAnswer FakePlatform::ShowMessage(const std::wstring& text, const std::wstring& title,
                                        MessageButtons buttons, bool toFront) {
  messages.push_back({text, title, buttons, toFront});
  if (whileAsking) std::exchange(whileAsking, nullptr)();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) throw std::logic_error("a question was asked that the test did not expect");
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakePlatform::ShowPopupMenu(const Menu& menu) { popupMenus.push_back(menu.name); }

void FakePlatform::ShowPopupMenuAtRow(const Menu& menu, int row) {
  popupMenus.push_back(menu.name + " @" + std::to_string(row));
}

void FakePlatform::TestFilms(std::vector<std::wstring> paths, bool everything) {
  filmTests.push_back(paths);
  if (everything) filmsToTest.clear();
  filmsToTest.insert(filmsToTest.end(), paths.begin(), paths.end());
}

std::vector<TestedFilm> FakePlatform::TakeTestedFilms() { return std::exchange(tested_, {}); }

void FakePlatform::RunFilmTester() {
  class Probe final : public FilmProbe {
   public:
    explicit Probe(FakePlatform& platform) : platform_(platform) {}
    bool RootAnswers(const std::wstring& root) override {
      const int drive = DriveIndexOf(root);
      if (drive < 0) return true;  // a share
      const auto letter = static_cast<wchar_t>(L'A' + drive);
      return (platform_.LogicalDrives() & (1u << drive)) != 0 &&
             std::find(platform_.notReady.begin(), platform_.notReady.end(), letter) == platform_.notReady.end();
    }
    std::optional<std::uint32_t> Attributes(const std::wstring& path) override { return platform_.FileAttributes(path); }
    void Found(TestedFilm film) override {
      platform_.filmsTestedInOrder.push_back(film.path);
      platform_.tested_.push_back(std::move(film));
    }

   private:
    FakePlatform& platform_;
  } probe(*this);
  const std::vector<RootTests> plan =
      PlanFilmTests(std::exchange(filmsToTest, {}), [this](wchar_t letter) { return AnswersQuickly(KindOfDrive(letter)); });
  for (size_t i = 0; i < plan.size(); ++i) {
    if (Listed(deadRoots, plan[i].root)) {
      for (; i < plan.size(); ++i) filmsToTest.insert(filmsToTest.end(), plan[i].paths.begin(), plan[i].paths.end());
      break;
    }
    TestRootFilms(plan[i], probe);
    if (filmsTested) filmsTested();
  }
}

bool FakePlatform::CloseWindowAndWaitForExit(WindowHandle window, unsigned maxWaitMs) {
  closedWindows.push_back(window);
  if (!watchedFile.empty()) watchedAtClose.push_back(Bytes(watchedFile));
  // The closing program records its state, as the player does in its settings file.
  const auto it = onClose.find(window);
  if (it != onClose.end()) {
    for (const auto& [path, bytes] : it->second) Written(path).bytes = bytes;
  }
  std::erase_if(windows, [window](const TopLevelWindow& w) { return w.handle == window; });
  if (!canWaitForExit) return false;
  exitWaits.push_back(maxWaitMs);
  return true;
}

void FakePlatform::StartProcess(const std::wstring& commandLine) {
  startedProcesses.push_back(commandLine);
  if (!watchedFile.empty()) watchedAtStart.push_back(Bytes(watchedFile));
}

std::map<std::wstring, RegistryValue>* FakePlatform::FindRegistryKey(const std::wstring& path) {
  for (auto& [name, values] : registry) {
    if (Key(name) == Key(path)) return &values;
  }
  return nullptr;
}

const RegistryValue* FakePlatform::RegistryValueOf(const std::wstring& keyPath, const std::wstring& name) const {
  for (const auto& [path, values] : registry) {
    if (Key(path) != Key(keyPath)) continue;
    for (const auto& [valueName, value] : values) {
      if (Key(valueName) == Key(name)) return &value;
    }
  }
  return nullptr;
}

bool FakePlatform::CreateRegistryKey(RegistryRoot, const std::wstring& path) {
  // Every level on the way, as the system creates them.
  for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
    const std::wstring level = path.substr(0, end);
    if (!FindRegistryKey(level)) registry[level];
    if (end == std::wstring::npos) return true;
  }
}

std::int32_t FakePlatform::SetRegistryValue(RegistryRoot, const std::wstring& path, const std::wstring& name,
                                            const RegistryValue& value) {
  constexpr std::int32_t kFileNotFound = 2;
  auto* values = FindRegistryKey(path);
  if (!values) return kFileNotFound;
  for (auto& [valueName, stored] : *values) {
    if (Key(valueName) == Key(name)) {
      stored = value;
      return 0;
    }
  }
  (*values)[name] = value;
  return 0;
}

void FakePlatform::RegisterHotKey(std::int32_t id, std::int32_t modifiers, std::int32_t code) {
  shellCalls.push_back(L"RegisterHotKey " + std::to_wstring(id) + L" " + std::to_wstring(modifiers) + L" " +
                       std::to_wstring(code));
}

}  // namespace reelmark::testing
