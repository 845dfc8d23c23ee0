// A film that is gone from its drive letter may be on another: an external disk gets
// whatever letter is free when it is plugged in. Only local drives are looked at, so a
// slow or lost network share never holds the window up, and never the floppy letters
// A: and B:, whose probe takes seconds on a machine that has the drive.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace reelmark {

class Platform;

// The same path on every other local drive letter that is present (fixed, removable,
// optical), with the file-exists test: the one path that names a file there, or nothing
// when none or several do, or when the path does not start with a drive letter.
std::optional<std::wstring> FilmOnOtherDrive(Platform& platform, std::wstring_view path);

// Whether the favourite's film at `favouritePath` is the one now at `capturedPath`, moved
// with its disk to another letter: the same path there ("X:\" each, the same after the
// "X:", letter case aside), the captured path naming a file
// and the favourite's naming none. Only paths on local drives are tested; a letter that
// is not there names no file without a test. Anything else is no move.
bool MovedToOtherDrive(Platform& platform, std::wstring_view favouritePath, const std::wstring& capturedPath);

}  // namespace reelmark
