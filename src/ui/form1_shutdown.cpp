// Shut-down: the one place where the favourites reach the disk.
#include <array>
#include <vector>

#include "base/path.h"
#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "shell/hot_key.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {

void Form1::Form_Unload() {
  const int current = CurrentRow;
  if (!sessionEnding_ && current > 0 && current <= List1.Count() - 1 && Check1[0].Value() != 0) {
    List1.Select(current);
    std::wstring question = texts::kDeleteOnExit;
    question += texts::kQuestionBreak;
    question += FileNameOf(List1.SelectedText());
    if (platform_.ShowMessage(question, texts::kNoticeTitle, MessageButtons::YesNo) == MessageAnswer::Yes) {
      List1.Remove(current);
    }
  }

  WriteOnExit();
  platform_.RemoveTrayIcon();
  SetHotKey(platform_, kHotKeyId, L"", L"Del");
}

void Form1::WriteOnExit() {
  // The file is composed whole and put in place in one step, so a failed write leaves the
  // favourites of the last run rather than a part of them.
  std::vector<ParsedListLine> rows;
  rows.reserve(static_cast<size_t>(List1.Count()));
  for (int i = 1; i < List1.Count(); ++i) rows.push_back(ParseListLine(List1.Row(i)));
  const std::array<int, 3> options{Check1[0].Value(), Check1[1].Value(), Check1[2].Value()};
  SaveFavouritesFile(platform_, FavouritesPath(), options, rows);

  if (Check1[1].Value() != 0) PlayerSettings(platform_, platform_.ProgramDirectory() + L"\\kk.INI").ClearFilename();
}

}  // namespace reelmark
