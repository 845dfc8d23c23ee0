#include "persistence/recovery.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/numbers.h"
#include "persistence/ini_document.h"

namespace reelmark {
namespace {

// Saved's text for "there was no kk_fav.ini": no file bears the stamp 0 (the year 1601).
constexpr std::uint64_t kNoFile = 0;

// The stamp a recovery file names: digits alone, none too many; nothing otherwise (a file
// of an earlier program, or none the program wrote), which is then never restored.
std::optional<std::uint64_t> SavedStamp(std::wstring_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t stamp = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - L'0');
    if (stamp > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return std::nullopt;
    stamp = stamp * 10 + digit;
  }
  return stamp;
}

// The text of Saved for a stamp.
std::wstring SavedText(std::optional<std::uint64_t> stamp) {
  std::wstring text;
  AppendDecimal(text, static_cast<std::int64_t>(
                          std::min<std::uint64_t>(stamp.value_or(kNoFile), std::numeric_limits<std::int64_t>::max())));
  return text;
}

}  // namespace

RecoverySchedule::Step RecoverySchedule::Changed(std::uint64_t now) {
  if (!unsaved_) {
    unsaved_ = true;
    since_ = now;
  }
  if (!timerRunning_) {
    timerRunning_ = true;
    return Step::StartTimer;
  }
  if (!hurried_ && now - since_ >= kOverdueMs) {
    hurried_ = true;
    return Step::WriteAtOnce;
  }
  return Step::None;
}

RecoverySchedule::Step RecoverySchedule::Hurry() {
  unsaved_ = true;
  if (hurried_) return Step::None;
  hurried_ = true;
  return Step::WriteAtOnce;
}

bool RecoverySchedule::Due() {
  timerRunning_ = false;
  hurried_ = false;
  return unsaved_;
}

std::uint32_t RecoverySchedule::Handed() {
  unsaved_ = false;
  return ++handed_;
}

unsigned RecoverySchedule::Written(std::uint32_t number, bool succeeded, std::uint64_t now) {
  // An older write's outcome says nothing of what the newest one holds; an outcome told
  // again (the writer waited for at the end, then its message) is the same outcome.
  if (number != handed_ || number == told_) return 0;
  told_ = number;
  lastSucceeded_ = succeeded;
  if (succeeded) return 0;
  unsaved_ = true;
  since_ = now;  // a write that fails is not tried at every change
  if (timerRunning_) return 0;
  timerRunning_ = true;
  return kRetryMs;
}

std::string ComposeRecoveryFile(const RecoverySnapshot& snapshot) {
  std::vector<ParsedListLine> rows;
  const std::vector<std::wstring>& lines = *snapshot.rows;
  rows.reserve(lines.size());
  for (size_t i = 1; i < lines.size(); ++i) rows.push_back(ParseListLine(lines[i]));
  std::wstring tail = L"[";
  tail += kRecoverySection;
  tail += L"]\r\n";
  tail += kSavedKey;
  tail += L'=';
  tail += SavedText(snapshot.saved);
  tail += L"\r\n";
  return ComposeFavouritesFile(snapshot.options, rows, tail);
}

std::string RestampRecoveryFile(std::string bytes, std::optional<std::uint64_t> saved) {
  IniDocument doc = IniDocument::FromFile(std::move(bytes));
  const IniEncoding encoding = doc.Encoding();
  doc.Set(ToIniText(encoding, kRecoverySection), ToIniText(encoding, kSavedKey), ToIniText(encoding, SavedText(saved)));
  return doc.FileBytes();
}

FoundRecovery FindRecoveryAtStartUp(Platform& platform, const std::wstring& folder) {
  const std::wstring path = folder + L"\\" + kRecoveryFile;
  const std::uint64_t start = platform.Milliseconds();
  for (;;) {
    if (std::optional<std::string> bytes = platform.ReadFileBytes(path)) {
      return {FoundRecovery::State::Read, std::move(*bytes)};
    }
    // Asked only when the read failed, which it does at every start without one.
    const std::optional<std::uint32_t> attributes = platform.FileAttributes(path);
    if (!attributes || (*attributes & kAttributeDirectory)) return {};
    if (platform.Milliseconds() - start >= kHeldWaitMs) return {FoundRecovery::State::Held, {}};
    platform.Sleep(kHeldRetryMs);
  }
}

StartUpFavourites ReadFavouritesAtStartUp(Platform& platform, const std::wstring& folder, FoundRecovery found) {
  const std::wstring favouritesPath = folder + L"\\" + kFavouritesFile;
  const auto saved = [&] {
    return StartUpFavourites{FavouritesFile::Read(platform, folder + L"\\" + kFavouritesFileAsRead), std::nullopt,
                             platform.FileStamp(favouritesPath)};
  };
  if (found.state != FoundRecovery::State::Read) return saved();

  const std::wstring recoveryPath = folder + L"\\" + kRecoveryFile;
  // A copy, in the rare case of a restore: the bytes are kept should the file stay where
  // it is, and the file is never read twice.
  FavouritesFile recovered = FavouritesFile::Parse(found.bytes);
  const std::optional<std::uint64_t> stamp = platform.FileStamp(favouritesPath);
  // kk_fav.ini not written since the recovery file was: its run did not end. A run that
  // ended saved kk_fav.ini after its last recovery file (or, by 走人, marked it so). Not
  // written since is "no later than": after a power cut the disk may hold an older stamp
  // than the one the run saw, when a write in place had not reached it.
  const std::optional<std::uint64_t> newerThan = SavedStamp(recovered.saved);
  if (!recovered.hasOptions || !newerThan || stamp.value_or(kNoFile) > *newerThan) {
    // Kept, not deleted: whatever it is, it may be all that is left of something.
    platform.MoveFileOver(recoveryPath, folder + L"\\" + kSetAsideRecoveryFile);
    return saved();
  }
  if (platform.MoveFileOver(recoveryPath, favouritesPath) == 0) {
    platform.SetAttributes(favouritesPath, kAttributeHidden | kAttributeSystem);
    return {std::move(recovered), std::nullopt, platform.FileStamp(favouritesPath)};
  }
  // Held open, or a folder in the way: read where it is, and tried again next time.
  return {std::move(recovered), std::move(found.bytes), stamp};
}

bool RemoveRecoveryFile(Platform& platform, const std::wstring& path) {
  for (int attempt = 1;; ++attempt) {
    if (platform.RemoveFile(path) || !platform.FileAttributes(path)) return true;
    if (attempt == kRemoveTries) return false;
    platform.Sleep(kRemoveRetryMs);
  }
}

}  // namespace reelmark
