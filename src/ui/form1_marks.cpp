// The marks of favourites whose film is not there. They are a display, never a decision:
// nothing is asked, deleted or written because of them, and the window never waits to
// know them. Which films are tested when, and what the answers change, is decided here;
// the tests run on the film tester's thread.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/path.h"
#include "persistence/favourites.h"
#include "player/film_check.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

// The window shown from the tray tests everything again no more often than this: a look
// at the window should not wake every disk each time.
constexpr std::uint64_t kShownTestEveryMs = 60'000;
// One plug-in sends several messages: the rows are tested once they have stopped.
constexpr unsigned kVolumesQuietMs = 1000;

}  // namespace

void Form1::Form_Shown() {
  if (!loaded_ || ended_ || testingFilms_) return;
  testingFilms_ = true;
  CheckAllFilms();
}

void Form1::SystemResumed() {
  if (testingFilms_) CheckAllFilms();
}

void Form1::CheckAllFilms() {
  std::vector<std::wstring> paths;
  paths.reserve(static_cast<size_t>(List1.Count()));
  for (int i = 1; i < List1.Count(); ++i) paths.emplace_back(ListLinePath(List1.Row(i)));
  lastFullTest_ = platform_.Milliseconds();
  platform_.TestFilms(std::move(paths), true);
}

void Form1::VolumesChanged(std::uint32_t drives) {
  if (!testingFilms_ || drives == 0) return;
  changedVolumes_ |= drives;
  platform_.StartTimer(FormTimer::Volumes, kVolumesQuietMs);
}

void Form1::VolumeTimer_Timer() {
  const std::uint32_t drives = std::exchange(changedVolumes_, 0);
  std::vector<std::wstring> paths;
  for (int i = 1; i < List1.Count(); ++i) {
    const std::wstring_view path = ListLinePath(List1.Row(i));
    const int drive = DriveIndexOf(path);
    if (drive >= 0 && (drives & (1u << drive)) != 0) paths.emplace_back(path);
  }
  if (!paths.empty()) platform_.TestFilms(std::move(paths), false);
}

void Form1::MarkRows(int first, int count) {
  if (!testingFilms_) return;  // start-up's rows are tested all together once it is shown
  std::vector<std::wstring> unknown;
  for (int i = std::max(first, 1); i < first + count; ++i) {
    const std::wstring_view path = ListLinePath(List1.Row(i));
    const auto known = filmThere_.find(path);
    // A film not tested yet is drawn as there: a row given another path loses its mark.
    List1.SetMarked(i, known != filmThere_.end() && !known->second);
    if (known == filmThere_.end()) unknown.emplace_back(path);
  }
  if (!unknown.empty()) platform_.TestFilms(std::move(unknown), false);
}

void Form1::FilmsTested() {
  bool changed = false;
  for (TestedFilm& film : platform_.TakeTestedFilms()) {
    const auto [known, added] = filmThere_.try_emplace(std::move(film.path), film.there);
    // A film not known before was drawn as there.
    changed = changed || (added ? !film.there : known->second != film.there);
    known->second = film.there;
  }
  if (!changed) return;
  // Only the rows whose mark changes are drawn again.
  for (int i = 1; i < List1.Count(); ++i) {
    const auto known = filmThere_.find(ListLinePath(List1.Row(i)));
    List1.SetMarked(i, known != filmThere_.end() && !known->second);
  }
}

void Form1::ShownAgain() {
  if (testingFilms_ && platform_.Milliseconds() - lastFullTest_ >= kShownTestEveryMs) CheckAllFilms();
}

}  // namespace reelmark
