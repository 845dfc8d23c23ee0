#include "persistence/player_settings.h"

#include "base/numbers.h"
#include "persistence/favourites.h"
#include "persistence/module_ini.h"
#include "system/platform.h"

namespace reelmark {

using ModuleIni::ReadIni;
using ModuleIni::WriteIni;

bool PlayerSettings::Exists() const { return IsPlainFile(platform_, path_); }

bool PlayerSettings::AutoResume() const { return WholeNumber(ReadIni(platform_, path_, L"Option", L"auto_resume")) != 0; }

void PlayerSettings::SwitchAutoResumeOn() { WriteIni(platform_, path_, L"Option", L"auto_resume", L"1"); }

void PlayerSettings::SetResume(bool on) {
  // The player's key is one key whatever its case; the spellings are those the program
  // has always created it with, for a file that does not hold it yet.
  WriteIni(platform_, path_, L"Status", on ? L"resume" : L"Resume", on ? L"1" : L"0");
}

CapturedFilm PlayerSettings::ReadCapturedFilm() const {
  CapturedFilm film;
  film.path = ReadIni(platform_, path_, L"Status", L"Filename");
  film.shownSeconds = ShownSecondsFromStored(ReadIni(platform_, path_, L"Status", L"time"));
  return film;
}

void PlayerSettings::WriteResumePoint(std::int32_t storedSeconds, const std::wstring& filmPath) {
  SetResume(true);
  WriteIni(platform_, path_, L"Status", L"Time", DecimalText(storedSeconds));
  WriteIni(platform_, path_, L"Status", L"Filename", filmPath);
}

void PlayerSettings::ClearFilename() { WriteIni(platform_, path_, L"Status", L"Filename", L""); }

}  // namespace reelmark
