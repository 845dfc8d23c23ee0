// A film that is gone from its drive letter may be on another: an external disk gets
// whatever letter is free when it is plugged in. Only local drives are looked at, so a
// slow or lost network share never holds the window up.
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

}  // namespace reelmark
