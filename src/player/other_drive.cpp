#include "player/other_drive.h"

#include "system/platform.h"

namespace reelmark {
namespace {

bool IsLocal(DriveKind kind) {
  return kind == DriveKind::Fixed || kind == DriveKind::Removable || kind == DriveKind::Optical;
}

// 0 to 25 for A: to Z: (either case), or -1 for a path that does not start X:\.
int DriveIndex(std::wstring_view path) {
  if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return -1;
  const wchar_t letter = path[0] & ~0x20;  // upper case, for ASCII letters
  return letter >= L'A' && letter <= L'Z' ? letter - L'A' : -1;
}

}  // namespace

std::optional<std::wstring> FilmOnOtherDrive(Platform& platform, std::wstring_view path) {
  const int own = DriveIndex(path);
  if (own < 0) return std::nullopt;
  const std::uint32_t drives = platform.LogicalDrives();
  std::optional<std::wstring> found;
  std::wstring candidate(path);
  for (int drive = 0; drive < 26; ++drive) {
    if (drive == own || (drives & (1u << drive)) == 0) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + drive);
    if (!IsLocal(platform.KindOfDrive(letter))) continue;
    candidate[0] = letter;
    if (!IsPlainFile(platform, candidate)) continue;
    if (found) return std::nullopt;  // two: which is the user's cannot be told
    found = candidate;
  }
  return found;
}

}  // namespace reelmark
