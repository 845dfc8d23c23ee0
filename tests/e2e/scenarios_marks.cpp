// Favourites whose film is not there are marked, and the marks follow the films: a film
// put back turns its row normal once the system tells of a volume. The rows' texts stay
// exactly as they were, for screen readers and other programs.
#include <windows.h>

#include <string>
#include <vector>

#include "controls.h"
#include "desktop.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "text.h"

namespace e2e {
namespace {

std::string Described(const std::optional<std::vector<bool>>& marks) {
  if (!marks) return "none readable";
  std::string seen;
  for (const bool mark : *marks) seen += mark ? '1' : '0';
  return seen;
}

void MarksFollowTheFilms(Context& context) {
  const Films films = MakeFilms(context.folder);
  const std::wstring gone = context.folder.File(L"films\\不在这里.mkv");
  context.folder.Write(L"kk.ini", SettingsFile(L"", 0));
  WriteFavourites(context, {}, {{10, films.a}, {20, gone}, {30, films.c}});
  const std::vector<std::wstring> rows = {kHeaderRow, Row(1, L"00:00:15", films.a), Row(2, L"00:00:25", gone),
                                          Row(3, L"00:00:35", films.c)};
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  app.ExpectShown();
  std::optional<std::vector<bool>> marks;
  const auto marked = [&](const std::vector<bool>& expected) {
    return WaitUntil([&] { return (marks = ListMarks(app.List())) == expected; });
  };
  context.checks.Require(marked({false, false, true, false}),
                         "after start-up: expected the row of the film not there marked, seen " + Described(marks));
  app.ExpectList("with the marks", rows, 0, L"");

  context.folder.MakeFilm(L"不在这里.mkv");
  context.checks.Require(TellVolumeArrived(app.Main(), gone[0]), "the volume's message could not be delivered");
  context.checks.Expect(marked({false, false, false, false}),
                        "after the film came back and a volume arrived: expected no row marked, seen " +
                            Described(marks));
  app.ExpectList("after the film came back", rows, 0, L"");
  PressButton(app.Main(), ids::kCommand1);
  app.ExpectEnded("after pressing 退出");
}

}  // namespace

void AddMarksScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"marks-follow-the-films", MarksFollowTheFilms});
}

}  // namespace e2e
