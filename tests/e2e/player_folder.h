// A fresh player folder for one scenario: reelmark.exe beside the stand-in player copied
// as mplayer.exe, and whatever settings and favourites files the scenario writes.
// Removed afterwards unless kept for a look at a failure.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct Programs {
  std::wstring reelmark;  // full Windows paths of the built programs
  std::wstring standin;
};

class PlayerFolder {
 public:
  // Makes an empty folder under %TEMP% named after the scenario and copies the programs in.
  // Returns nothing (and `error` says why) when that fails.
  static std::optional<PlayerFolder> Create(const Programs& programs, std::wstring_view name,
                                            std::string& error);
  // What the paths of this run's folders start with: the temporary folder and the driver's
  // process number (empty when there is no temporary folder).
  static std::wstring RunPrefix();

  PlayerFolder(PlayerFolder&& other) noexcept;
  PlayerFolder& operator=(PlayerFolder&&) = delete;
  ~PlayerFolder();

  const std::wstring& Path() const { return path_; }
  std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
  std::wstring Reelmark() const { return File(L"reelmark.exe"); }
  std::wstring Player() const { return File(L"mplayer.exe"); }

  bool Write(std::wstring_view name, std::string_view bytes) const;
  std::optional<std::string> Read(std::wstring_view name) const;
  bool Exists(std::wstring_view name) const;
  // INVALID_FILE_ATTRIBUTES when the file is missing.
  DWORD Attributes(std::wstring_view name) const;
  bool SetAttributes(std::wstring_view name, DWORD attributes) const;
  // Names of the entries directly in the folder, sorted, folders included.
  std::vector<std::wstring> Names() const;
  // A small film file under films\; returns its full path.
  std::wstring MakeFilm(std::wstring_view name) const;

  void Keep() { keep_ = true; }

 private:
  explicit PlayerFolder(std::wstring path) : path_(std::move(path)) {}
  std::wstring path_;
  bool keep_ = false;
};

// A Windows path for a program path given on the command line: under Wine, ctest hands
// over Unix paths.
std::wstring WindowsPath(const std::wstring& path);

}  // namespace e2e
