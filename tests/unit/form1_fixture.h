// A window on a simulated system: a player folder with the player's settings file and
// the favourites file, the favourites loaded by start-up.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "system/platform.h"
#include "ui/form1.h"

namespace reelmark::testing {

inline std::string FavouritesBytes(const std::vector<std::pair<int, std::string>>& favourites,
                                   const std::string& options = "[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n") {
  std::string bytes = options;
  int k = 1;
  for (const auto& [time, path] : favourites) {
    bytes.append("[").append(std::to_string(k++)).append("fav]\r\ntime=").append(time < 0 ? "" : " ");
    bytes.append(std::to_string(time)).append("\r\nFilename=").append(path).append("\r\n");
  }
  return bytes;
}

class Form1Test : public ::testing::Test {
 protected:
  void SetUp() override { NewForm(); }

  void NewForm() {
    form = std::make_unique<Form1>(platform);
    platform.writerDone = [this](std::uint32_t number, bool succeeded) { form->RecoveryWritten(number, succeeded); };
    platform.filmsTested = [this] { form->FilmsTested(); };
    form->window = WindowModel{10, 20, 500, 400, WindowShowState::Normal, false};
  }

  std::wstring SettingsPath() const { return platform.Path(L"kk.ini"); }
  std::wstring FavouritesPath() const { return platform.Path(L"kk_fav.ini"); }
  void PutSettings(const std::string& bytes) { platform.PutFile(SettingsPath(), bytes); }
  void PutFavourites(const std::string& bytes) {
    platform.PutFile(FavouritesPath(), bytes, kAttributeHidden | kAttributeSystem);
  }
  // Start-up with the player's auto_resume on and no film recorded: no questions.
  void LoadFavourites(const std::vector<std::pair<int, std::string>>& favourites) {
    PutSettings("[Option]\r\nauto_resume=1\r\n");
    PutFavourites(FavouritesBytes(favourites));
    form->Form_Load();
  }
  void LoadRows(int count) {
    std::vector<std::pair<int, std::string>> favourites;
    for (int i = 1; i <= count; ++i) favourites.push_back({i * 60, "C:\\f\\" + std::to_string(i) + ".avi"});
    LoadFavourites(favourites);
  }
  const std::vector<std::wstring>& Rows() const { return form->List1.Rows(); }
  void Answer(std::initializer_list<MessageAnswer> answers) { platform.answers.insert(platform.answers.end(), answers); }

  FakePlatform platform;
  std::unique_ptr<Form1> form;
};

}  // namespace reelmark::testing
