#include "player/other_drive.h"

#include "base/path.h"
#include "system/platform.h"

namespace reelmark {
namespace {

// The floppy letters: never probed.
constexpr int kFirstProbedDrive = 2;  // C:

bool IsLocal(DriveKind kind) {
  return kind == DriveKind::Fixed || kind == DriveKind::Removable || kind == DriveKind::Optical;
}

// Whether files on the drive may be tested from the window's thread.
bool MayProbe(Platform& platform, int drive, std::uint32_t present) {
  return drive >= kFirstProbedDrive && (present & (1u << drive)) != 0 &&
         IsLocal(platform.KindOfDrive(static_cast<wchar_t>(L'A' + drive)));
}

bool SamePathOnOtherDrive(std::wstring_view path, std::wstring_view other) {
  const int drive = DriveIndexOf(path);
  return drive >= 0 && DriveIndexOf(other) >= 0 && drive != DriveIndexOf(other) &&
         EqualsIgnoringAsciiCase(path.substr(2), other.substr(2));
}

}  // namespace

std::optional<std::wstring> FilmOnOtherDrive(Platform& platform, std::wstring_view path) {
  const int own = DriveIndexOf(path);
  if (own < 0) return std::nullopt;
  const std::uint32_t drives = platform.LogicalDrives();
  std::optional<std::wstring> found;
  std::wstring candidate(path);
  for (int drive = kFirstProbedDrive; drive < 26; ++drive) {
    if (drive == own || !MayProbe(platform, drive, drives)) continue;
    candidate[0] = static_cast<wchar_t>(L'A' + drive);
    if (!IsPlainFile(platform, candidate)) continue;
    if (found) return std::nullopt;  // two: which is the user's cannot be told
    found = candidate;
  }
  return found;
}

bool MovedToOtherDrive(Platform& platform, std::wstring_view favouritePath, const std::wstring& capturedPath) {
  if (!SamePathOnOtherDrive(favouritePath, capturedPath)) return false;
  const std::uint32_t drives = platform.LogicalDrives();
  const int own = DriveIndexOf(favouritePath);
  const bool ownLetterThere = (drives & (1u << own)) != 0;
  if (ownLetterThere && !MayProbe(platform, own, drives)) return false;  // cannot be told without waiting
  if (!MayProbe(platform, DriveIndexOf(capturedPath), drives) || !IsPlainFile(platform, capturedPath)) return false;
  return !ownLetterThere || !IsPlainFile(platform, std::wstring(favouritePath));
}

}  // namespace reelmark
