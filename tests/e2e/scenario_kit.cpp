#include "scenario_kit.h"

#include <windows.h>

#include <algorithm>

#include "text.h"

namespace e2e {

Films MakeFilms(const PlayerFolder& folder) {
  return {folder.MakeFilm(L"甲电影.avi"), folder.MakeFilm(L"乙.avi"), folder.MakeFilm(L"丙.mkv"),
          folder.MakeFilm(L"film-d.rmvb")};
}

std::string SettingsFile(const std::wstring& film, long long time) {
  return ToCp936(L"[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=" + film + L"\r\ntime=" +
                 std::to_wstring(time) + L"\r\n");
}

void WriteFavourites(Context& context, const Options& options, const std::vector<StoredFavourite>& favourites) {
  context.checks.Require(context.folder.Write(L"kk_fav.ini", FavouritesFile(options, favourites)) &&
                             context.folder.SetAttributes(L"kk_fav.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                         "cannot write kk_fav.ini in the player folder");
}

void ExpectFavouritesFile(Context& context, const char* after, const std::string& expected) {
  const std::string what = std::string(after) + ": kk_fav.ini";
  const DWORD attributes = context.folder.Attributes(L"kk_fav.ini");
  if (!context.checks.Expect(attributes != INVALID_FILE_ATTRIBUTES, what + ": expected the file, seen none")) return;
  context.checks.ExpectBytes(what, expected, Bytes(context.folder, L"kk_fav.ini"));
  const DWORD both = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  char seen[16];
  snprintf(seen, sizeof seen, "0x%lX", static_cast<unsigned long>(attributes));
  context.checks.Expect((attributes & both) == both,
                        what + ": expected attributes hidden and system (0x6), seen " + seen);
}

void ExpectFolderEntries(Context& context, const char* after, std::vector<std::wstring> expected) {
  std::sort(expected.begin(), expected.end());
  context.checks.ExpectRows(std::string(after) + ": files in the player folder", expected, context.folder.Names());
}

std::string Bytes(const PlayerFolder& folder, const wchar_t* name) {
  return folder.Read(name).value_or("<no file>");
}

std::optional<unsigned long long> FileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

std::string RecoveryNewerThan(const std::wstring& favouritesPath, const std::string& favourites) {
  const std::optional<unsigned long long> saved = FileStamp(favouritesPath);
  return saved ? favourites + "[recovery]\r\nSaved=" + std::to_string(*saved) + "\r\n" : std::string();
}

}  // namespace e2e
