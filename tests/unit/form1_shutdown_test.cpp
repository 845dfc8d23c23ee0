#include <gtest/gtest.h>

#include <algorithm>

#include "form1_fixture.h"
#include "persistence/favourites.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

using testing::FavouritesBytes;
using testing::ShownMessage;

class ShutDown : public testing::Form1Test {
 protected:
  std::string Written() const { return platform.Bytes(FavouritesPath()); }
};

TEST_F(ShutDown, WritesOptionsThenEveryRowAndMarksTheFileHiddenAndSystem) {
  LoadFavourites({{3720, "C:\\film\\a.avi"}, {-5, "D:\\\xB5\xE7\xD3\xB0\\b.rmvb"}, {55, "E:\\c.mkv"}});
  form->Command1_Click();
  EXPECT_EQ(Written(),
            "[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n"
            "[1fav]\r\ntime= 3720\r\nFilename=C:\\film\\a.avi\r\n"
            "[2fav]\r\ntime=-5\r\nFilename=D:\\\xB5\xE7\xD3\xB0\\b.rmvb\r\n"
            "[3fav]\r\ntime= 55\r\nFilename=E:\\c.mkv\r\n");
  EXPECT_EQ(platform.GetFile(FavouritesPath())->attributes, kAttributeHidden | kAttributeSystem);
  EXPECT_TRUE(platform.destroyed);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ShutDown, GapsAndOldNumbersDisappearAndEditsPersist) {
  PutSettings("[Option]\r\nauto_resume=1\r\n");
  PutFavourites("[1fav]\r\ntime=1\r\nFilename=C:\\1.avi\r\n[2fav]\r\nFilename=C:\\2.avi\r\n[4fav]\r\ntime=4\r\nFilename=C:\\4.avi\r\n");
  form->Form_Load();
  form->List1.Select(2);
  form->moveup_Click();
  form->exit_Click();
  EXPECT_EQ(Written(),
            "[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n"
            "[1fav]\r\ntime= 0\r\nFilename=C:\\2.avi\r\n"
            "[2fav]\r\ntime= 1\r\nFilename=C:\\1.avi\r\n");
}

TEST_F(ShutDown, TheCurrentFavouriteIsRemovedWhenTheOptionAsksAndTheUserAgrees) {
  for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
    platform = {};
    NewForm();
    LoadFavourites({{1, "C:\\1.avi"}, {2, "C:\\x\\2.avi"}, {3, "C:\\3.avi"}});
    form->Check1[0].SetValue(1);
    form->List1.Select(2);
    Answer({answer});
    form->Unload();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], (ShownMessage{L"你确定要在列表中删除\n\r2.avi", L"提示", MessageButtons::YesNo}));
    const FavouritesFile file = FavouritesFile::Read(platform, FavouritesPath());
    if (answer == MessageAnswer::Yes) {
      ASSERT_EQ(file.favourites.size(), 2u);
      EXPECT_EQ(file.favourites[1].path, L"C:\\3.avi");
    } else {
      EXPECT_EQ(file.favourites.size(), 3u);
    }
    EXPECT_EQ(file.options[0], L"1");
  }
}

TEST_F(ShutDown, NoQuestionForTheHeaderRowOrAStaleCurrentRow) {
  LoadFavourites({{1, "C:\\1.avi"}});
  form->Check1[0].SetValue(1);
  form->List1.Select(0);
  form->Unload();
  EXPECT_TRUE(platform.messages.empty());

  platform = {};
  NewForm();
  LoadFavourites({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}});
  form->Check1[0].SetValue(1);
  form->List1.Select(2);
  Answer({MessageAnswer::Yes});
  form->clr1_Click();
  form->Unload();
  EXPECT_EQ(platform.messages.size(), 1u);  // only the clear question
  EXPECT_EQ(Written(), "[options]\r\nDelLast= 1\r\nDelLastPath= 0\r\nDblExit= 0\r\n");
}

TEST_F(ShutDown, ForgettingThePlayersFilmBlanksOnlyItsFilename) {
  LoadFavourites({});
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\a.avi\r\ntime=12\r\nresume=1\r\n");
  form->Check1[1].SetValue(1);
  form->Unload();
  EXPECT_EQ(platform.Bytes(SettingsPath()),
            "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\ntime=12\r\nresume=1\r\n");
}

TEST_F(ShutDown, RunsOnceWhicheverWayTheWindowIsClosed) {
  LoadFavourites({{1, "C:\\1.avi"}});
  form->Check1[0].SetValue(1);
  form->List1.Select(1);
  Answer({MessageAnswer::No});
  form->Command1_Click();
  form->Unload();
  form->exit_Click();
  EXPECT_EQ(platform.messages.size(), 1u);
}

// Nobody may be there to answer when the Windows session ends: everything is written as on
// 退出, and the current favourite stays, also when the exit question was already waiting.
// A capture waiting for that question does not hold the session's end up.
TEST_F(ShutDown, TheSessionsEndWritesEverythingWithoutAskingAndKeepsTheCurrentFavourite) {
  for (const bool questionWaiting : {false, true}) {
    SCOPED_TRACE(questionWaiting ? "while the exit question waits" : "with the window idle");
    platform = {};
    NewForm();
    LoadFavourites({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}, {3, "C:\\3.avi"}});
    PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\2.avi\r\n");
    form->Check1[0].SetValue(1);
    form->Check1[1].SetValue(1);
    form->List1.Select(2);
    form->moveup_Click();  // an edit of this run; 2.avi is current

    std::string atSessionEnd;
    if (questionWaiting) {
      Answer({MessageAnswer::No});
      platform.windows = {{77, L"MPlayer - 3.avi"}};
      platform.whileAsking = [&] {
        form->ddd();
        form->EndSession();
        atSessionEnd = Written();
      };
      form->Command1_Click();
    } else {
      form->EndSession();
      atSessionEnd = Written();
    }
    EXPECT_EQ(platform.messages.size(), questionWaiting ? 1u : 0u);
    EXPECT_EQ(atSessionEnd, FavouritesBytes({{2, "C:\\2.avi"}, {1, "C:\\1.avi"}, {3, "C:\\3.avi"}},
                                            "[options]\r\nDelLast= 1\r\nDelLastPath= 1\r\nDblExit= 0\r\n"));
    EXPECT_EQ(platform.Bytes(SettingsPath()), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\n");
    EXPECT_TRUE(platform.destroyed);
    EXPECT_TRUE(platform.closedWindows.empty());
  }
}

// Start-up asks while the list holds only some of the favourites, and the tray icon is up
// already: nothing that comes then may write that part of the list or add to it. The
// session's end writes nothing; "退出" waits for start-up to finish and then writes every
// favourite; "收藏" leaves the capture to start-up.
TEST_F(ShutDown, WhatComesDuringAStartUpQuestionLosesNoFavourite) {
  struct Case {
    const char* what;
    void (Form1::*command)();
    bool unloaded;
  } cases[] = {
      {"the session's end", &Form1::EndSession, false},
      {"the tray's exit", &Form1::exit_Click, true},
      {"the tray's capture", &Form1::sc_Click, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform = {};
    NewForm();
    PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\2.avi\r\ntime=99\r\n");
    PutFavourites(FavouritesBytes({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}, {3, "C:\\3.avi"}}));
    const std::string before = Written();
    Answer({MessageAnswer::No});
    std::string duringQuestion;
    platform.whileAsking = [&] {
      (form.get()->*c.command)();
      duringQuestion = Written();
    };
    form->Form_Load();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(duringQuestion, before);
    EXPECT_EQ(form->List1.Count(), 4);
    EXPECT_EQ(platform.destroyed, c.unloaded);
    EXPECT_EQ(Written(), c.unloaded ? FavouritesBytes({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}, {3, "C:\\3.avi"}},
                                                      "[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n")
                                    : before);
  }
}

TEST_F(ShutDown, LeavingAtOnceWritesNothing) {
  LoadFavourites({{1, "C:\\1.avi"}});
  const std::string before = Written();
  form->List1.Append(FormatListLine(2, 0, L"C:\\dropped.avi"));
  form->zouren_Click();
  form->Unload();
  EXPECT_TRUE(platform.ended);
  EXPECT_FALSE(platform.destroyed);
  EXPECT_EQ(Written(), before);
}

// A save that fails at exit is told, with the file, the system's reason and what No
// costs: when the recovery file holds this run's changes, they come back at the next
// start, else they are lost. Yes writes the favourites file again; No ends with the old
// file whole. At the session's end nobody may answer: one more try, no question. A save
// that worked removes the recovery file.
TEST_F(ShutDown, AFailedSaveIsToldAndMayBeTriedAgain) {
  const auto question = [](bool recoverable) {
    return std::wstring(L"收藏无法保存到文件：\n\rC:\\Player\\kk_fav.ini\n\r系统错误 112（错误代码：112）\n\r") +
           (recoverable ? L"选“否”将退出本程序，这次运行中对收藏所做的更改会在下次启动时恢复。"
                        : L"选“否”将退出本程序，这次运行中对收藏所做的更改都会丢失。") +
           L"\n\r是否重试？";
  };
  struct Case {
    const char* name;
    int failures;  // of the favourites file
    bool recoveryWritable;
    std::vector<MessageAnswer> answers;
    bool sessionEnds;
    bool saved;
    std::vector<std::wstring> writes;
  } cases[] = {
      {"Yes, then the save works", 1, true, {MessageAnswer::Yes}, false, true,
       {L"replace kk_fav.recovery.ini", L"replace kk_fav.ini", L"replace kk_fav.ini", L"remove kk_fav.recovery.ini"}},
      {"Yes, it fails again, then No", 2, true, {MessageAnswer::Yes, MessageAnswer::No}, false, false,
       {L"replace kk_fav.recovery.ini", L"replace kk_fav.ini", L"replace kk_fav.ini"}},
      {"No", 1, true, {MessageAnswer::No}, false, false,
       {L"replace kk_fav.recovery.ini", L"replace kk_fav.ini"}},
      {"No, and the recovery file could not be written", 1, false, {MessageAnswer::No}, false, false,
       {L"replace kk_fav.recovery.ini", L"replace kk_fav.ini", L"replace kk_fav.recovery.ini"}},
      {"the session ends: one more try", 1, true, {}, true, true,
       {L"replace kk_fav.recovery.ini", L"replace kk_fav.ini", L"replace kk_fav.ini", L"remove kk_fav.recovery.ini"}},
      {"the session ends: the second try fails too", 2, true, {}, true, false,
       {L"replace kk_fav.recovery.ini", L"replace kk_fav.ini", L"replace kk_fav.ini"}},
  };
  const std::string options = "[options]\r\nDelLast= 1\r\nDelLastPath= 1\r\nDblExit= 0\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    LoadFavourites({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}});
    const std::string before = Written();
    form->Check1[0].SetValue(1);  // the current favourite's question comes first, once
    form->Check1[1].SetValue(1);
    form->List1.Select(1);
    form->List1.Append(FormatListLine(3, 0, L"C:\\3.avi"));  // this run's change
    Answer({MessageAnswer::No});
    platform.answers.insert(platform.answers.end(), c.answers.begin(), c.answers.end());
    platform.failWritesTo = FavouritesPath();
    platform.failNextWrites = c.failures;
    if (!c.recoveryWritable) platform.heldOpen = {platform.Path(L"kk_fav.recovery.ini")};
    platform.writeLog.clear();

    c.sessionEnds ? form->EndSession() : form->Command1_Click();

    std::vector<ShownMessage> asked(c.answers.size(),
                                    ShownMessage{question(c.recoveryWritable), L"提示", MessageButtons::YesNo, true});
    if (!c.sessionEnds) asked.insert(asked.begin(), ShownMessage{L"你确定要在列表中删除\n\r1.avi", L"提示", MessageButtons::YesNo});
    EXPECT_EQ(platform.messages, asked);
    const std::string all = FavouritesBytes({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}, {-5, "C:\\3.avi"}}, options);
    EXPECT_EQ(Written(), c.saved ? all : before);
    EXPECT_EQ(platform.Bytes(platform.Path(L"kk_fav.recovery.ini")),
              !c.saved && c.recoveryWritable ? all + "[recovery]\r\nSaved=2\r\n" : "");
    // The tries at the files, then the player's film forgotten once.
    std::vector<std::wstring> writes = c.writes;
    writes.push_back(L"write kk.INI");
    EXPECT_EQ(platform.writeLog, writes);
    EXPECT_EQ(platform.Bytes(SettingsPath()), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\n");
    EXPECT_TRUE(platform.destroyed);
  }
}

TEST_F(ShutDown, LongTimesAndLongPathsSurviveARestart) {
  const std::string longPath = "C:\\" + std::string(250, 'x') + "\\film.avi";
  LoadFavourites({{400000, longPath}, {-40000, "C:\\neg.avi"}});
  form->Unload();
  const FavouritesFile file = FavouritesFile::Read(platform, FavouritesPath());
  ASSERT_EQ(file.favourites.size(), 2u);
  EXPECT_EQ(file.favourites[0].shownSeconds, 400005);
  EXPECT_EQ(file.favourites[0].path.size(), longPath.size());
  EXPECT_EQ(file.favourites[1].shownSeconds, -39995);
}

}  // namespace
}  // namespace reelmark
