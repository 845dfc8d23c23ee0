// The favourites: the list line that shows one in the list, the time text, and the
// favourites file kk_fav.ini that keeps them, with the three options, between runs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/platform.h"

namespace reelmark {

// The favourites file in the program directory, as every writer names it; start-up opens
// it as kFavouritesFileAsRead (the system's file names ignore case).
inline constexpr wchar_t kFavouritesFile[] = L"kk_fav.ini";
inline constexpr wchar_t kFavouritesFileAsRead[] = L"kk_fav.INI";

// The list never holds more favourites than its four-digit number column can show.
inline constexpr int kMaxFavourites = 9999;
// The list shows every position this many seconds later than the position stored.
inline constexpr std::int32_t kShownOffsetSeconds = 5;

struct FavouriteEntry {
  int number = 0;                  // its row in the list, 1 to 9999
  std::int32_t storedSeconds = 0;  // the position the player reported
  std::wstring path;
};

// Whole seconds as hh:mm:ss (each part at least two characters; signs kept as they fall).
std::wstring timestr(std::int32_t time0);

// The number with leading zeros to four digits (longer numbers stay as they are).
std::wstring NumberField(int number);

// number--hh:mm:ss--path
std::wstring FormatListLine(int number, std::int32_t shownSeconds, std::wstring_view path);

struct ParsedListLine {
  std::int32_t storedSeconds = 0;
  std::wstring path;
};
// Reads a row back: the path and the stored seconds (shown seconds less 5). A line in
// the usual columns is read at its fixed positions; a longer time text (100 hours or
// more, negative parts) is read up to its "--", so the path always comes back whole.
ParsedListLine ParseListLine(std::wstring_view line);
// The path of a row, read as ParseListLine reads it, without converting the time.
std::wstring_view ListLinePath(std::wstring_view line);

// Shown seconds for a stored time text: its leading number plus 5, rounded half to even.
std::int32_t ShownSecondsFromStored(std::wstring_view timeText);

// The three options of the favourites file, in the order they are written.
inline constexpr std::array<const wchar_t*, 3> kOptionKeys{L"DelLast", L"DelLastPath", L"DblExit"};
inline constexpr wchar_t kOptionsSection[] = L"options";
// A recovery file's own section, and its one key.
inline constexpr wchar_t kRecoverySection[] = L"recovery";
inline constexpr wchar_t kSavedKey[] = L"Saved";

// A number as the favourites file stores it: one leading blank unless negative.
std::wstring StoredNumber(std::int64_t value);

struct StoredFavourite {
  std::int32_t shownSeconds = 0;  // ShownSecondsFromStored of its time
  std::wstring_view path;         // held by the FavouritesFile it comes from
};

// The favourites file read once: options and favourites 1, 2, ... up to the first
// section without a Filename. It holds the text of the favourites' paths in one piece
// (start-up reads thousands of them), so it can be moved but not copied.
class FavouritesFile {
 public:
  // Reads the file through the platform; a missing file has no options and no favourites.
  static FavouritesFile Read(Platform& platform, const std::wstring& path);
  // Any file, read through the INI engine as the system's profile functions read it.
  static FavouritesFile Parse(std::string bytes);

  bool exists = false;
  bool hasOptions = false;  // it holds a section "options", as every file the program writes
  // The stored option values as text, empty when absent.
  std::array<std::wstring, 3> options;
  // A recovery file's Saved of its section "recovery" (see recovery.h); empty when absent.
  std::wstring saved;
  std::vector<StoredFavourite> favourites;

 private:
  std::unique_ptr<const std::wstring> text_;  // what the paths are views of
};

// The whole favourites file as the program writes it: "options" with the three values,
// then one section per row (1fav, 2fav, ...) with time and Filename, then `tail` (lines of
// a section of its own). In the ANSI code page, unless a path holds a character the code
// page cannot: then in UTF-16LE behind its mark, which reads back whole, instead of the
// path with a '?'.
std::string ComposeFavouritesFile(const std::array<int, 3>& options, const std::vector<ParsedListLine>& rows,
                                  std::wstring_view tail = {});

// Writes the favourites file whole, in one step, and marks it hidden and system. When the
// write fails the old file stays as it was, and the answer is the system's reason.
SystemError SaveFavouritesFile(Platform& platform, const std::wstring& path, const std::array<int, 3>& options,
                               const std::vector<ParsedListLine>& rows);

}  // namespace reelmark
