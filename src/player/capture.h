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
// The favourite that holds the captured path itself gets the new time; only when none
// does, the lowest one whose path has the captured path's name (the text after its last
// backslash, letter case significant) gets it and keeps its own path, unless its film
// moved to another drive letter (MovedToOtherDrive): then it takes the captured path.
// Without a match, a running player's film is appended while the list has room.
// The selection ends on the matched row, or on the last favourite there was, as if every
// row up to it had been selected in turn; an appended row is not selected.
std::optional<std::wstring> CaptureFilm(Platform& platform, PlayerSettings& settings, ListBox& list);

}  // namespace reelmark
