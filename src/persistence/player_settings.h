// What the program reads and writes in the player's settings file kk.ini. The file is the
// player's: only these keys are touched, and every other byte stays as the player wrote it.
#pragma once

#include <cstdint>
#include <string>

namespace reelmark {

class Platform;

struct CapturedFilm {
  std::wstring path;             // Status/Filename
  std::int32_t shownSeconds = 0;  // Status/time + 5, rounded half to even
};

class PlayerSettings {
 public:
  PlayerSettings(Platform& platform, std::wstring path) : platform_(platform), path_(std::move(path)) {}

  const std::wstring& Path() const { return path_; }
  bool Exists() const;  // the file-exists test

  bool AutoResume() const;       // Option/auto_resume read as a whole number, not 0
  void SwitchAutoResumeOn();     // Option/auto_resume = 1
  void SetResume(bool on);       // Status/resume = 1 or 0
  CapturedFilm ReadCapturedFilm() const;
  // Status/Time = stored seconds (no leading blank), then Status/Filename = path.
  void WriteResumePoint(std::int32_t storedSeconds, const std::wstring& filmPath);
  void ClearFilename();          // Status/Filename = empty value

 private:
  Platform& platform_;
  std::wstring path_;
};

}  // namespace reelmark
