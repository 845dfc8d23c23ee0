// Capturing the film that is playing: the player is asked to close, records where it
// stopped in its settings file, and that film either refreshes the favourite that holds
// it already or becomes a new favourite at the end of the list.
#pragma once

#include <optional>
#include <string>

namespace reelmark {

class ListBox;
class Platform;
class PlayerSettings;

// Runs one capture on the favourites shown in `list` (row 0 the header row). Returns the
// captured path, for the form to show, or nothing when the player's auto_resume is off:
// then nothing was closed, read, written or changed.
//
// The rows are matched by the name of their path (the text after its last backslash,
// letter case significant); the lowest matching row gets the new time and keeps its own
// path, unless that path names no file any more while the captured one does. Without a
// match, a running player's film is appended while the list has room.
// The selection ends on the matched row, or on the last favourite there was, as if every
// row up to it had been selected in turn; an appended row is not selected.
std::optional<std::wstring> CaptureFilm(Platform& platform, PlayerSettings& settings, ListBox& list);

// The path a favourite matched by a capture keeps: its own, or the captured one when its
// own names no file any more (it moved to another drive, say) and the captured one does.
const std::wstring& MendedPath(Platform& platform, const std::wstring& favouritePath,
                               const std::wstring& capturedPath);

}  // namespace reelmark
