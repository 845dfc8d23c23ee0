// The files the program shares with the player, as bytes: the favourites file in the
// form the program writes it, values of the player's settings file, the stand-in
// player's control file and log, and the list rows a favourite shows as.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct Options {
  int delLast = 0, delLastPath = 0, dblExit = 0;
};

struct StoredFavourite {
  long long time;
  std::wstring path;
};

// kk_fav.ini exactly as shut-down writes it: [options] with the three keys, then one
// section per favourite, numbers with one leading blank unless negative, CR LF, no blank
// lines; code page 936.
std::string FavouritesFile(const Options& options, const std::vector<StoredFavourite>& favourites);
// The same text, before it is encoded.
std::wstring FavouritesText(const Options& options, const std::vector<StoredFavourite>& favourites);
// Text as a Unicode file: UTF-16LE behind its byte-order mark FF FE.
std::string Utf16LeFile(std::wstring_view text);

// The value of a key in INI bytes, blanks around it removed; section and key names match
// without regard to case. Nothing when the key is absent.
std::optional<std::wstring> IniValue(std::string_view bytes, std::wstring_view section, std::wstring_view key);

// The header row and a favourite's row: number to four digits, shown time, path.
inline constexpr wchar_t kHeaderRow[] = L"序号--播放时间--播放文件路径";
std::wstring Row(int number, std::wstring_view shownTime, std::wstring_view path);

// The text after the last backslash.
std::wstring FileNameOf(std::wstring_view path);

// The stand-in player's control file, standin.ini.
struct StandinControl {
  std::wstring reportFile;
  std::optional<long long> reportTime;
  std::optional<long long> recordDelayMs;
};
std::string StandinControlFile(const StandinControl& control);

// standin.log: one line per start, TAB-separated name=value fields.
using LogLine = std::map<std::wstring, std::wstring>;
std::vector<LogLine> ParseStandinLog(std::string_view bytes);

}  // namespace e2e
