#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form1_fixture.h"
#include "player/command_line.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

constexpr auto Yes = MessageAnswer::Yes;
constexpr auto No = MessageAnswer::No;
constexpr wchar_t kAskAutoResume[] = L"你没有打开 auto_resume,程序无法播放这个文件";
constexpr wchar_t kAskRemove[] = L"所选的文件不存在，是否在列表中删除？";

struct ReplayCase {
  const char* name;
  int row;  // the row double-clicked
  bool dblExit;
  std::string autoResume;
  std::vector<MessageAnswer> answers;
  std::vector<std::wstring> questions;  // texts asked, in order
  std::string statusAfter;              // what kk.ini holds after [Option]
  bool started;
  int rowCount;    // favourites left
  bool visible;
  bool unloaded;
  int currentRow;
};

const std::string kOn = "auto_resume=1\r\n";
const std::string kPlayedA = "[Status]\r\nresume=1\r\nTime=3595\r\nFilename=C:\\f\\a.avi\r\n";

const ReplayCase kCases[] = {
    {"plays from the shown time less five", 1, false, "1", {}, {}, kPlayedA, true, 4, true, false, 1},
    {"a path with blanks; a position below zero", 2, false, "1", {}, {},
     "[Status]\r\nresume=1\r\nTime=-2\r\nFilename=D:\\my films\\b c.avi\r\n", true, 4, true, false, 2},
    {"auto_resume off and No: nothing at all", 1, true, "0", {No}, {kAskAutoResume}, "", false, 4, true, false, 1},
    {"auto_resume off and Yes: switched on before the resume point", 1, false, "0.4", {Yes}, {kAskAutoResume},
     kPlayedA, true, 4, true, false, 1},
    {"the header row with play-and-exit: hidden and closed, nothing played", 0, true, "1", {}, {}, "", false, 4,
     false, true, 0},
    {"a missing film and Yes: deleted by the delete command", 3, false, "1", {Yes}, {kAskRemove}, "", false, 3, true,
     false, 3},
    {"a hidden film counts as missing; with play-and-exit the window stays hidden", 4, true, "1", {No},
     {kAskRemove}, "", false, 4, false, false, 4},
    {"play-and-exit plays, then closes", 1, true, "1", {}, {}, kPlayedA, true, 4, false, true, 1},
};

class Replay : public testing::Form1Test, public ::testing::WithParamInterface<ReplayCase> {
 protected:
  void LoadFilms() {
    LoadFavourites({{3595, "C:\\f\\a.avi"}, {-2, "D:\\my films\\b c.avi"}, {-5, "C:\\f\\gone.avi"},
                    {10, "C:\\f\\hidden.avi"}});
    platform.PutFile(L"C:\\f\\a.avi", "film");
    platform.PutFile(L"D:\\my films\\b c.avi", "film");
    platform.PutFile(L"C:\\f\\hidden.avi", "film", kAttributeHidden);
    form->window.visible = true;
  }
};

TEST_P(Replay, AsksWritesAndStartsAsTheRowAndOptionsSay) {
  const ReplayCase& c = GetParam();
  SCOPED_TRACE(c.name);
  LoadFilms();
  PutSettings("[Option]\r\nauto_resume=" + c.autoResume + "\r\n");
  form->Check1[2].SetValue(c.dblExit ? 1 : 0);
  form->List1.Select(c.row);
  platform.answers.assign(c.answers.begin(), c.answers.end());
  const std::string before = platform.Bytes(SettingsPath());
  platform.watchedFile = SettingsPath();

  form->bofang1_Click();

  std::vector<std::wstring> asked;
  for (const auto& message : platform.messages) asked.push_back(message.text);
  EXPECT_EQ(asked, c.questions);
  const bool switchedOn = c.autoResume != "1" && !c.answers.empty() && c.answers[0] == Yes;
  EXPECT_EQ(platform.Bytes(SettingsPath()),
            c.statusAfter.empty() && !switchedOn ? before : "[Option]\r\n" + kOn + c.statusAfter);
  EXPECT_EQ(platform.startedProcesses,
            c.started ? std::vector<std::wstring>{L"C:\\Player\\mplayer.exe "} : std::vector<std::wstring>{});
  // The player reads what it resumes as it starts: every value is written by then.
  EXPECT_EQ(platform.watchedAtStart, c.started ? std::vector<std::string>{platform.Bytes(SettingsPath())}
                                               : std::vector<std::string>{});
  EXPECT_EQ(form->List1.Count() - 1, c.rowCount);
  EXPECT_EQ(form->window.visible, c.visible);
  EXPECT_EQ(platform.destroyed, c.unloaded);
  if (!c.unloaded) {
    EXPECT_EQ(form->CurrentRow, c.currentRow);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Replay, ::testing::ValuesIn(kCases));

// A current row without a selected one follows a capture that refreshed a row, or a Clear:
// it names a favourite the user did not pick. 所选文件 then does nothing after its question;
// 选定项以下 only writes what it writes in every case.
TEST_F(Replay, NoSelectedRowPlaysNothingHidesNothingAndEndsNothing) {
  const std::string bofang3Writes = "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\nResume=0\r\n";
  for (const bool cleared : {false, true}) {
    for (const int command : {kBofang1, kBofang3}) {
      SCOPED_TRACE((cleared ? "after a Clear, " : "after a capture, ") + std::to_string(command));
      platform = {};
      NewForm();
      LoadFilms();
      form->Check1[2].SetValue(1);
      if (cleared) {
        form->List1.Select(3);
        Answer({Yes});
        form->clr1_Click();
        platform.messages.clear();
      } else {
        // The capture refreshes the missing film's row: the selection is gone, the current row stays.
        PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\f\\gone.avi\r\ntime=7\r\n");
        form->ddd();
        PutSettings("[Option]\r\nauto_resume=1\r\n");
      }
      ASSERT_EQ(form->List1.SelectedIndex(), -1);
      ASSERT_EQ(form->CurrentRow, 3);
      const int rows = form->List1.Count();

      form->MenuCommand(command);

      EXPECT_TRUE(platform.messages.empty());
      EXPECT_TRUE(platform.startedProcesses.empty());
      EXPECT_EQ(platform.Bytes(SettingsPath()), command == kBofang3 ? bofang3Writes : "[Option]\r\nauto_resume=1\r\n");
      EXPECT_EQ(form->List1.Count(), rows);
      EXPECT_EQ(form->CurrentRow, 3);
      EXPECT_TRUE(form->window.visible);
      EXPECT_FALSE(platform.destroyed);
    }
  }
}

TEST(PlayerCommandLine, QuotesTheProgramOnlyWhenItsPathHasABlank) {
  EXPECT_EQ(PlayerCommandLine(L"C:\\MPlayer"), L"C:\\MPlayer\\mplayer.exe ");
  EXPECT_EQ(PlayerCommandLine(L"C:\\Program Files\\MPlayer"), L"\"C:\\Program Files\\MPlayer\\mplayer.exe\" ");
  EXPECT_EQ(PlayerCommandLine(L"D:\\影音\tx"), L"\"D:\\影音\tx\\mplayer.exe\" ");
}

}  // namespace
}  // namespace reelmark
