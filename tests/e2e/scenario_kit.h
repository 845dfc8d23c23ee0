// What many scenarios share: a folder with films, the player's settings file, a
// favourites file as a previous run left it, and the checks of the files afterwards.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "player_files.h"
#include "scenario.h"

namespace e2e {

// Four films with Chinese and Latin names in the folder's films\.
struct Films {
  std::wstring a, b, c, d;
};
Films MakeFilms(const PlayerFolder& folder);

// kk.ini with auto_resume on and the player's last film (empty for none).
std::string SettingsFile(const std::wstring& film, long long time);

// Writes kk_fav.ini and marks it hidden and system, as the program leaves it.
void WriteFavourites(Context& context, const Options& options, const std::vector<StoredFavourite>& favourites);

// kk_fav.ini holds exactly these bytes and is hidden and system.
void ExpectFavouritesFile(Context& context, const char* after, const std::string& expected);

// The folder holds exactly these entries (no temporary file left behind).
void ExpectFolderEntries(Context& context, const char* after, std::vector<std::wstring> expected);

// When the file was last written (its stamp, in 100 ns steps), or nothing when it is not there.
std::optional<unsigned long long> FileStamp(const std::wstring& path);
// A recovery file of these favourites as a run that did not end leaves it: naming the stamp
// of the kk_fav.ini at `favouritesPath`, which it is newer than. Empty when that has none.
std::string RecoveryNewerThan(const std::wstring& favouritesPath, const std::string& favourites);

// A file's bytes, or a marker that cannot be mistaken for any content.
std::string Bytes(const PlayerFolder& folder, const wchar_t* name);

}  // namespace e2e
