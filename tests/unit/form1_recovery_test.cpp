// The recovery file: the run's favourites reach it soon after every change, every end that
// saves removes it, and a start that finds one left behind restores it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "form1_fixture.h"
#include "persistence/favourites.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

using testing::FakePlatform;
using testing::FavouritesBytes;
constexpr auto Yes = MessageAnswer::Yes;
constexpr WindowHandle kPlayer = 77;
constexpr unsigned kDelay = RecoverySchedule::kDelayMs;

class Recovery : public testing::Form1Test {
 protected:
  std::wstring RecoveryPath() const { return platform.Path(L"kk_fav.recovery.ini"); }
  std::string Recovered() const { return platform.Bytes(RecoveryPath()); }
  void PutRecovery(const std::string& bytes) {
    platform.PutFile(RecoveryPath(), bytes, kAttributeHidden | kAttributeSystem);
  }
  // A recovery file as a run leaves it: newer than kk_fav.ini as it is now, unless told.
  std::string RecoveryOf(const std::string& favourites, std::optional<std::uint64_t> saved = std::nullopt) {
    if (!saved) saved = platform.FileStamp(FavouritesPath()).value_or(0);
    return favourites + "[recovery]\r\nSaved=" + std::to_string(*saved) + "\r\n";
  }
  // Three favourites, their films present, and a player that is playing `film` at 95 s.
  void LoadWithPlayer(const std::string& film) {
    LoadFavourites({{60, "C:\\f\\1.avi"}, {120, "C:\\f\\2.avi"}, {180, "C:\\f\\3.avi"}});
    for (const wchar_t* path : {L"C:\\f\\1.avi", L"C:\\f\\2.avi", L"C:\\f\\3.avi"}) platform.PutFile(path, "film");
    platform.windows = {{kPlayer, L"MPlayer - x"}};
    platform.onClose[kPlayer] = {
        {SettingsPath(), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=" + film + "\r\ntime=95\r\n"}};
  }
  std::vector<std::wstring> Paths() const {
    std::vector<std::wstring> paths;
    for (int i = 1; i < form->List1.Count(); ++i) paths.emplace_back(ListLinePath(form->List1.Row(i)));
    return paths;
  }
};

// Whichever road a change takes, the timer starts once and, when it runs out, the recovery
// file holds exactly what shut-down then writes into kk_fav.ini, hidden and system.
TEST_F(Recovery, EveryChangeOfTheFavouritesReachesTheRecoveryFileWhenTheTimerRunsOut) {
  struct Change {
    const char* name;
    std::function<void(Form1&, FakePlatform&)> make;
    std::string playing = "E:\\new.avi";
  } changes[] = {
      {"a capture by the hot key", [](Form1& f, FakePlatform&) { f.ddd(); }},
      {"the tray's 收藏", [](Form1& f, FakePlatform&) { f.MenuCommand(kSc); }},
      {"a second start's hand-off", [](Form1& f, FakePlatform&) { f.HandOffCapture(); }},
      {"a refreshed time", [](Form1& f, FakePlatform&) { f.Command4_Click(); }, "D:\\other\\2.avi"},
      {"a drop", [](Form1& f, FakePlatform&) { f.List1_OLEDragDrop({L"D:\\new.mkv"}); }},
      {"a move up", [](Form1& f, FakePlatform&) {
         f.List1.Select(2);
         f.MenuCommand(kMoveUp);
       }},
      {"a move down by the key s", [](Form1& f, FakePlatform&) {
         f.List1.Select(1);
         f.List1_KeyPress('s');
       }},
      {"a delete", [](Form1& f, FakePlatform&) {
         f.List1.Select(2);
         f.Command3_Click();
       }},
      {"a clear", [](Form1& f, FakePlatform& p) {
         p.answers.push_back(Yes);
         f.MenuCommand(kClr1);
       }},
      {"an option", [](Form1& f, FakePlatform&) {
         f.Check1[0].Click();
         f.Check1_Click(0);
       }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.name);
    platform = {};
    NewForm();
    LoadWithPlayer(change.playing);
    platform.writeLog.clear();
    change.make(*form, platform);
    EXPECT_EQ(platform.timers, std::vector<unsigned>{kDelay});
    EXPECT_EQ(Recovered(), "");
    platform.writeLog.clear();
    form->RecoveryTimer_Timer();
    EXPECT_EQ(platform.writeLog, std::vector<std::wstring>{L"replace kk_fav.recovery.ini"});
    ASSERT_NE(platform.GetFile(RecoveryPath()), nullptr);
    EXPECT_EQ(platform.GetFile(RecoveryPath())->attributes, kAttributeHidden | kAttributeSystem);
    const std::string recovered = Recovered();
    form->Unload();
    // The same, and the stamp of the kk_fav.ini it is newer than.
    const std::string saved = platform.Bytes(FavouritesPath());
    EXPECT_EQ(recovered.substr(0, saved.size()), saved);
    EXPECT_EQ(recovered.substr(saved.size()), "[recovery]\r\nSaved=2\r\n");
    EXPECT_EQ(platform.GetFile(RecoveryPath()), nullptr);  // the save worked: it is gone
  }
}

// What start-up's own questions change is no longer in kk_fav.ini: it is due at once.
TEST_F(Recovery, StartUpsQuestionsChangeTheFavouritesToo) {
  struct Case {
    const char* name;
    const char* film;
    std::vector<unsigned> timers;
  } cases[] = {
      {"the captured film is added", "C:\\new.avi", {kDelay}},
      {"a favourite takes the captured time", "C:\\f\\1.avi", {kDelay}},
      {"the captured film is a favourite at that time", "C:\\f\\2.avi", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    PutSettings(std::string("[Option]\r\nauto_resume=1\r\n[Status]\r\ntime=115\r\nFilename=") + c.film + "\r\n");
    PutFavourites(FavouritesBytes({{60, "C:\\f\\1.avi"}, {115, "C:\\f\\2.avi"}}));
    Answer({Yes});
    form->Form_Load();
    EXPECT_EQ(platform.timers, c.timers);
  }
}

// Holding s down in a long list: one write per delay, whatever the number of moves; a
// run with nothing changed writes nothing, also when a timer comes.
TEST_F(Recovery, ABurstGivesOneWriteAndNoChangeGivesNone) {
  LoadRows(50);
  form->RecoveryTimer_Timer();
  form->List1.Select(3);  // a selection is no change
  form->List1.Select(1);
  form->List1_KeyPress('w');  // the top row goes nowhere
  EXPECT_TRUE(platform.writeLog.empty());
  EXPECT_TRUE(platform.timers.empty());

  for (int i = 0; i < 48; ++i) form->List1_KeyPress('s');
  EXPECT_EQ(platform.timers, std::vector<unsigned>{kDelay});
  form->RecoveryTimer_Timer();
  form->RecoveryTimer_Timer();
  EXPECT_EQ(platform.writeLog, std::vector<std::wstring>{L"replace kk_fav.recovery.ini"});
  const FavouritesFile recovered = FavouritesFile::Read(platform, RecoveryPath());
  ASSERT_EQ(recovered.favourites.size(), 50u);
  EXPECT_EQ(recovered.favourites[48].path, L"C:\\f\\1.avi");

  form->List1_KeyPress('s');
  EXPECT_EQ(platform.timers, (std::vector<unsigned>{kDelay, kDelay}));

  // Keys that keep coming hold the timer back: once the first change not written is
  // 750 ms old, the write is asked for at once, ahead of them, and once only.
  platform.timers.clear();
  for (int i = 0; i < 40; ++i) {
    platform.now += 30;
    form->List1_KeyPress(i % 2 ? 's' : 'w');
  }
  EXPECT_EQ(platform.timers, std::vector<unsigned>{0});
  form->RecoveryTimer_Timer();
  EXPECT_EQ(platform.writeLog.size(), 2u);

  // An idle run's end writes kk_fav.ini alone, as it always did.
  platform = {};
  NewForm();
  LoadRows(3);
  form->RecoveryTimer_Timer();
  form->Command1_Click();
  EXPECT_EQ(platform.writeLog, std::vector<std::wstring>{L"replace kk_fav.ini"});
}

// A write that fails (the file held open a moment) is tried again later, until it works.
TEST_F(Recovery, AFailedWriteIsTriedAgain) {
  LoadRows(2);
  platform.heldOpen = {RecoveryPath()};
  form->List1_OLEDragDrop({L"D:\\new.mkv"});
  form->RecoveryTimer_Timer();
  EXPECT_EQ(platform.timers, (std::vector<unsigned>{kDelay, RecoverySchedule::kRetryMs}));
  platform.heldOpen.clear();
  form->RecoveryTimer_Timer();
  EXPECT_EQ(FavouritesFile::Read(platform, RecoveryPath()).favourites.size(), 3u);
  form->RecoveryTimer_Timer();
  EXPECT_EQ(platform.timers.size(), 2u);
}

// The timer is a message: it comes while a question is open and writes at once, the list
// being whole then; the question's own change follows with the next timer.
TEST_F(Recovery, ATimerDuringAQuestionWritesAtOnce) {
  LoadRows(2);
  form->List1_OLEDragDrop({L"D:\\new.mkv"});
  size_t rowsWritten = 0;
  platform.whileAsking = [&] {
    form->RecoveryTimer_Timer();
    rowsWritten = FavouritesFile::Read(platform, RecoveryPath()).favourites.size();
  };
  Answer({Yes});
  form->clr1_Click();
  EXPECT_EQ(rowsWritten, 3u);
  EXPECT_EQ(platform.timers, (std::vector<unsigned>{kDelay, kDelay}));
}

// Every end that saves removes the recovery file; 走人 removes it without saving; the early
// end without kk.ini touches nothing, not even a file an earlier run left.
TEST_F(Recovery, EveryEndRemovesTheRunsRecoveryFile) {
  struct End {
    const char* name;
    std::function<void(Form1&)> end;
    bool saves;
  } ends[] = {
      {"退出", [](Form1& f) { f.Command1_Click(); }, true},
      {"the tray's 退出", [](Form1& f) { f.MenuCommand(kExit); }, true},
      {"the session's end", [](Form1& f) { f.EndSession(); }, true},
      {"走人", [](Form1& f) { f.MenuCommand(kZouren); }, false},
  };
  for (const End& end : ends) {
    SCOPED_TRACE(end.name);
    platform = {};
    NewForm();
    LoadRows(2);
    const std::string before = platform.Bytes(FavouritesPath());
    form->List1_OLEDragDrop({L"D:\\new.mkv"});
    form->RecoveryTimer_Timer();
    ASSERT_NE(Recovered(), "");
    end.end(*form);
    EXPECT_EQ(platform.GetFile(RecoveryPath()), nullptr);
    EXPECT_EQ(FavouritesFile::Read(platform, FavouritesPath()).favourites.size(), end.saves ? 3u : 2u);
    if (!end.saves) {
      EXPECT_EQ(platform.Bytes(FavouritesPath()), before);
    }
  }

  platform = {};
  NewForm();
  PutRecovery(FavouritesBytes({{1, "C:\\left.avi"}}));
  form->Form_Load();
  EXPECT_TRUE(platform.ended);
  EXPECT_TRUE(platform.writeLog.empty());
  EXPECT_NE(Recovered(), "");
}

// A recovery file found at start-up that is newer than kk_fav.ini was left by a run that
// did not end: put in place of kk_fav.ini and read, or read where it is when it cannot be
// moved. Any other is kept aside, never lost, and kk_fav.ini read.
TEST_F(Recovery, StartUpRestoresOnlyWhatARunThatDidNotEndLeftBehind) {
  const std::string favourites = FavouritesBytes({{10, "C:\\f\\a.avi"}, {20, "C:\\f\\b.avi"}},
                                                 "[options]\r\nDelLast= 1\r\nDelLastPath= 0\r\nDblExit= 0\r\n");
  const std::string saved = FavouritesBytes({{10, "C:\\f\\a.avi"}});
  const std::vector<std::wstring> restored = {L"C:\\f\\a.avi", L"C:\\f\\b.avi"};
  const std::vector<std::wstring> notRestored = {L"C:\\f\\a.avi"};
  const std::string noOptions = "[1fav]\r\ntime= 5\r\nFilename=C:\\f\\x.avi\r\n";
  std::string left;  // what the case leaves as the recovery file
  struct Case {
    const char* name;
    std::function<void()> prepare;
    std::vector<std::wstring> rows;
    bool favouritesFromRecovery, recoveryStays, setAside;
  } cases[] = {
      {"newer: put in place of kk_fav.ini", [&, this] { PutRecovery(left = RecoveryOf(favourites)); }, restored,
       true, false, false},
      {"kk_fav.ini older than it says (a write that never reached the disk)",
       [&, this] { PutRecovery(left = RecoveryOf(favourites, *platform.FileStamp(FavouritesPath()) + 1)); },
       restored, true, false, false},
      {"with no kk_fav.ini", [&, this] {
         left = RecoveryOf(favourites);
         platform.RemoveFile(FavouritesPath());
         PutRecovery(left);
       }, restored, true, false, false},
      {"kk_fav.ini held open: read where it is", [&, this] {
         PutRecovery(left = RecoveryOf(favourites));
         platform.heldOpen = {FavouritesPath()};
       }, restored, false, true, false},
      {"a folder named kk_fav.ini: read where it is", [&, this] {
         platform.PutFile(FavouritesPath(), "", kAttributeDirectory);
         PutRecovery(left = RecoveryOf(favourites, 0));
       }, restored, false, true, false},
      {"kk_fav.ini saved after it: kept aside", [&, this] {
         PutRecovery(left = RecoveryOf(favourites, *platform.FileStamp(FavouritesPath()) - 1));
       }, notRestored, false, false, true},
      {"naming no kk_fav.ini, while one was saved since: kept aside",
       [&, this] { PutRecovery(left = RecoveryOf(favourites, 0)); }, notRestored, false, false, true},
      {"naming none at all (an earlier program's): kept aside", [&, this] { PutRecovery(left = favourites); },
       notRestored, false, false, true},
      {"without options: kept aside", [&, this] {
         platform.PutFile(platform.Path(L"kk_fav.recovery.bad"), "older");
         PutRecovery(left = RecoveryOf(noOptions));
       }, notRestored, false, false, true},
      {"empty: kept aside", [&, this] { PutRecovery(left = ""); }, notRestored, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    PutSettings("[Option]\r\nauto_resume=1\r\n");
    PutFavourites(saved);
    c.prepare();
    const FakePlatform::File* before = platform.GetFile(FavouritesPath());
    const bool folder = before && (before->attributes & kAttributeDirectory);
    form->Form_Load();
    EXPECT_EQ(Paths(), c.rows);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(form->Check1[0].Value(), c.rows == restored ? 1 : 0);
    EXPECT_EQ(platform.Bytes(FavouritesPath()), c.favouritesFromRecovery ? left : folder ? "" : saved);
    if (c.favouritesFromRecovery) {
      EXPECT_EQ(platform.GetFile(FavouritesPath())->attributes, kAttributeHidden | kAttributeSystem);
    }
    EXPECT_EQ(Recovered(), c.recoveryStays ? left : "");
    EXPECT_EQ(platform.Bytes(platform.Path(L"kk_fav.recovery.bad")), c.setAside ? left : "");
    EXPECT_EQ(std::count(platform.readLog.begin(), platform.readLog.end(), L"kk_fav.recovery.ini"), 1);
    EXPECT_TRUE(platform.timers.empty());  // what was read is on the disk already
  }
}

// Start-up works on the restored list: the captured film is one of the run's favourites.
TEST_F(Recovery, StartUpsQuestionsAskAboutTheRestoredList) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\ntime=300\r\nFilename=C:\\f\\b.avi\r\n");
  PutFavourites(FavouritesBytes({{10, "C:\\f\\a.avi"}}));
  PutRecovery(RecoveryOf(FavouritesBytes({{10, "C:\\f\\a.avi"}, {20, "C:\\f\\b.avi"}})));
  Answer({Yes});
  form->Form_Load();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, L"当前的播放时间是：00:05:05\n\r以前的播放时间是：00:00:25\n\r你是否要更新以前的记录？");
  EXPECT_EQ(form->CurrentRow, 2);
}

// A recovery file read where it lies holds an earlier run's favourites that no other file
// has: 走人 puts it back as it was; a save that works at last removes it.
TEST_F(Recovery, ARecoveryFileReadWhereItLiesIsNeverLost) {
  for (const bool leave : {true, false}) {
    SCOPED_TRACE(leave ? "走人" : "退出 once kk_fav.ini is free");
    platform = {};
    NewForm();
    PutSettings("[Option]\r\nauto_resume=1\r\n");
    PutFavourites(FavouritesBytes({{10, "C:\\f\\a.avi"}}));
    const std::string left = RecoveryOf(FavouritesBytes({{10, "C:\\f\\a.avi"}, {20, "C:\\f\\b.avi"}}));
    PutRecovery(left);
    platform.heldOpen = {FavouritesPath()};
    form->Form_Load();
    form->List1_OLEDragDrop({L"D:\\new.mkv"});
    form->RecoveryTimer_Timer();
    ASSERT_EQ(FavouritesFile::Read(platform, RecoveryPath()).favourites.size(), 3u);
    platform.heldOpen.clear();
    leave ? form->zouren_Click() : form->Command1_Click();
    EXPECT_EQ(Recovered(), leave ? left : "");
    EXPECT_EQ(FavouritesFile::Read(platform, FavouritesPath()).favourites.size(), leave ? 1u : 3u);
  }
}

// Another program holds the recovery file (a scanner, a backup) from its first write on:
// the later changes cannot reach it, nor can it be removed. Whatever the end, the next
// start, once it is free, shows what that end left in kk_fav.ini, never the older file,
// which is kept aside; a removal that fails is tried again a few times first.
TEST_F(Recovery, ARecoveryFileThatOutlivedItsRunIsNeverRestored) {
  struct End {
    const char* name;
    std::function<void(Form1&)> end;
    size_t rowsAfter;
  } ends[] = {
      {"退出", [](Form1& f) { f.Command1_Click(); }, 4},
      {"the session's end", [](Form1& f) { f.EndSession(); }, 4},
      {"走人", [](Form1& f) { f.MenuCommand(kZouren); }, 2},
  };
  for (const End& end : ends) {
    SCOPED_TRACE(end.name);
    platform = {};
    NewForm();
    LoadRows(2);
    form->List1_OLEDragDrop({L"D:\\new.mkv"});
    form->RecoveryTimer_Timer();
    const std::string written = Recovered();
    platform.heldOpen = {RecoveryPath()};
    form->List1_OLEDragDrop({L"D:\\newer.mkv"});
    form->RecoveryTimer_Timer();
    platform.sleeps.clear();
    end.end(*form);
    EXPECT_EQ(Recovered(), written);  // it could not go
    EXPECT_EQ(platform.sleeps, std::vector<unsigned>(5, 200));  // a second in all

    platform.heldOpen.clear();
    NewForm();
    form->Form_Load();
    EXPECT_EQ(form->List1.Count(), static_cast<int>(end.rowsAfter) + 1);
    EXPECT_EQ(platform.Bytes(platform.Path(L"kk_fav.recovery.bad")), written);
    EXPECT_EQ(platform.GetFile(RecoveryPath()), nullptr);
  }
}

// An option click writes kk_fav.ini, which the recovery file must stay newer than: its
// next write comes at once, and a run that ends then is restored with the click.
TEST_F(Recovery, AfterAnOptionClickTheRecoveryFileIsStillRestored) {
  LoadRows(2);
  form->List1_OLEDragDrop({L"D:\\new.mkv"});
  form->RecoveryTimer_Timer();
  platform.timers.clear();
  form->Check1[2].Click();  // play-and-exit, the option written at once
  form->Check1_Click(2);
  EXPECT_EQ(platform.timers, (std::vector<unsigned>{kDelay, 0}));
  form->RecoveryTimer_Timer();
  NewForm();  // the run ended without a word
  form->Form_Load();
  EXPECT_EQ(form->List1.Count(), 4);
  EXPECT_EQ(form->Check1[2].Value(), 1);
}

// A recovery file that another program holds at start-up is waited for; one that stays
// held ends the program after one notice, with nothing touched, not even the player,
// so that the next start still restores it.
TEST_F(Recovery, StartUpWaitsForAHeldRecoveryFileAndNeverTakesItForNone) {
  const std::wstring notice = L"收藏的恢复文件正被其他程序占用，请稍后再启动本程序：\n\rC:\\Player\\kk_fav.recovery.ini";
  for (const int heldFor : {3, 1000}) {  // pauses
    SCOPED_TRACE(heldFor);
    platform = {};
    NewForm();
    PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\f\\b.avi\r\ntime=20\r\n");
    PutFavourites(FavouritesBytes({{10, "C:\\f\\a.avi"}}));
    const std::string left = RecoveryOf(FavouritesBytes({{10, "C:\\f\\a.avi"}, {20, "C:\\f\\b.avi"}}));
    PutRecovery(left);
    platform.unreadable = {RecoveryPath()};
    platform.whileSleeping = [&, pauses = 0]() mutable {
      if (++pauses == heldFor) platform.unreadable.clear();
    };
    platform.windows = {{kPlayer, L"MPlayer - b.avi"}};
    platform.writeLog.clear();
    form->Form_Load();
    if (heldFor == 3) {
      EXPECT_EQ(platform.sleeps, std::vector<unsigned>(3, kHeldRetryMs));
      EXPECT_EQ(Paths(), (std::vector<std::wstring>{L"C:\\f\\a.avi", L"C:\\f\\b.avi"}));
      EXPECT_EQ(platform.Bytes(FavouritesPath()), left);
      continue;
    }
    EXPECT_EQ(platform.sleeps.size(), kHeldWaitMs / kHeldRetryMs);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], (testing::ShownMessage{notice, L"提示", MessageButtons::Ok}));
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(platform.writeLog.empty());
    EXPECT_TRUE(platform.closedWindows.empty());
    EXPECT_EQ(platform.shellCalls, (std::vector<std::wstring>{L"AddTrayIcon", L"SetTrayTip Reelmark", L"RemoveTrayIcon"}));
    EXPECT_EQ(Recovered(), left);
  }
}

// The window's thread only hands the list to the writer, which writes the newest it has.
// An older write's outcome changes nothing; the newest one failing is tried again. Every
// end waits for the writer before it saves, and not for ever.
TEST_F(Recovery, TheWriterWritesTheNewestAndEveryEndWaitsForIt) {
  LoadRows(3);
  platform.holdWriter = true;
  form->List1_OLEDragDrop({L"D:\\a.mkv"});
  form->RecoveryTimer_Timer();
  form->List1_OLEDragDrop({L"D:\\b.mkv"});
  form->RecoveryTimer_Timer();
  EXPECT_TRUE(platform.writeLog.empty());
  platform.RunWriter();
  EXPECT_EQ(platform.writeLog, std::vector<std::wstring>{L"replace kk_fav.recovery.ini"});
  EXPECT_EQ(FavouritesFile::Read(platform, RecoveryPath()).favourites.size(), 5u);

  platform.timers.clear();
  form->List1_OLEDragDrop({L"D:\\c.mkv"});
  form->RecoveryTimer_Timer();
  form->RecoveryWritten(1, false);  // an old one, dropped for a newer: that one is on its way
  EXPECT_EQ(platform.timers, std::vector<unsigned>{kDelay});
  form->RecoveryWritten(3, false);  // the newest: tried again
  EXPECT_EQ(platform.timers, (std::vector<unsigned>{kDelay, RecoverySchedule::kRetryMs}));

  platform = {};
  NewForm();
  LoadRows(3);
  platform.holdWriter = true;
  form->List1_OLEDragDrop({L"D:\\a.mkv"});
  form->Command1_Click();
  EXPECT_EQ(platform.writerWaits, std::vector<unsigned>{3000});
  EXPECT_EQ(platform.writeLog,
            (std::vector<std::wstring>{L"replace kk_fav.recovery.ini", L"replace kk_fav.ini", L"remove kk_fav.recovery.ini"}));

  // A writer stuck on a disk that does not answer: the end still saves, and marks the
  // recovery file it may yet put in place as outlived.
  for (const bool leave : {false, true}) {
    platform = {};
    NewForm();
    LoadRows(3);
    platform.holdWriter = platform.writerStuck = true;
    form->List1_OLEDragDrop({L"D:\\a.mkv"});
    form->RecoveryTimer_Timer();
    leave ? form->zouren_Click() : form->Command1_Click();
    EXPECT_EQ(platform.writerWaits, std::vector<unsigned>{3000});
    EXPECT_EQ(FavouritesFile::Read(platform, FavouritesPath()).favourites.size(), leave ? 3u : 4u);
    platform.writerStuck = false;
    platform.RunWriter();  // it comes through at last
    NewForm();
    form->Form_Load();
    EXPECT_EQ(form->List1.Count(), leave ? 4 : 5);
  }
}

// A change that leaves every row and option as it was is none: nothing is written.
TEST_F(Recovery, NothingIsWrittenWhenNothingChanged) {
  struct Case {
    const char* name;
    std::function<void(Form1&, FakePlatform&)> make;
    bool writes;
  } cases[] = {
      {"a capture of a favourite at its time, no player",
       [](Form1& f, FakePlatform& p) {
         p.PutFile(p.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\f\\2.avi\r\ntime=120\r\n");
         f.ddd();
       }, false},
      {"an empty list cleared", [](Form1& f, FakePlatform& p) {
         p.answers = {Yes, Yes};
         f.clr1_Click();
         f.RecoveryTimer_Timer();
         f.clr1_Click();
       }, false},
      {"two rows alike moved", [](Form1& f, FakePlatform&) {
         f.List1.Select(3);
         f.List1_KeyPress('s');
       }, false},
      {"a move and its way back", [](Form1& f, FakePlatform&) {
         f.List1.Select(1);
         f.List1_KeyPress('s');
         f.List1_KeyPress('w');
       }, false},
      {"an option ticked and cleared", [](Form1& f, FakePlatform&) {
         for (int i = 0; i < 2; ++i) {
           f.Check1[0].Click();
           f.Check1_Click(0);
         }
       }, false},
      {"a move and its way back after a write", [](Form1& f, FakePlatform&) {
         f.List1.Select(1);
         f.List1_KeyPress('s');
         f.RecoveryTimer_Timer();
         f.List1_KeyPress('w');
       }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    LoadFavourites({{60, "C:\\f\\1.avi"}, {120, "C:\\f\\2.avi"}, {180, "C:\\f\\3.avi"}, {180, "C:\\f\\3.avi"}});
    c.make(*form, platform);
    platform.writeLog.clear();
    form->RecoveryTimer_Timer();
    EXPECT_EQ(std::count(platform.writeLog.begin(), platform.writeLog.end(), L"replace kk_fav.recovery.ini"),
              c.writes ? 1 : 0);
  }
}

// The program may end in the middle of any write it makes: the next start then shows a
// whole list, the one of before or one the run reached, never a part of one.
TEST(RecoveryAtAnyEnd, TheNextStartShowsAWholeList) {
  const auto rowsOf = [](const Form1& form) { return form.List1.Rows(); };
  // The run: start, a drop, the timer, moves, the timer, a delete, the exit.
  const std::vector<std::function<void(Form1&)>> steps = {
      [](Form1& f) { f.List1_OLEDragDrop({L"D:\\new.mkv", L"D:\\new2.mkv"}); },
      [](Form1& f) { f.RecoveryTimer_Timer(); },
      [](Form1& f) {
        f.List1.Select(1);
        for (int i = 0; i < 3; ++i) f.List1_KeyPress('s');
      },
      [](Form1& f) { f.RecoveryTimer_Timer(); },
      [](Form1& f) {
        f.List1.Select(2);
        f.Command3_Click();
      },
      [](Form1& f) { f.Command1_Click(); },
  };
  const auto prepare = [](FakePlatform& platform) {
    platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n");
    platform.PutFile(platform.Path(L"kk_fav.ini"),
                     FavouritesBytes({{1, "C:\\f\\1.avi"}, {2, "C:\\f\\2.avi"}, {3, "C:\\f\\3.avi"}}),
                     kAttributeHidden | kAttributeSystem);
  };
  // Every list the run shows, and how many writes it makes.
  std::set<std::vector<std::wstring>> reached;
  int writes = 0;
  {
    FakePlatform platform;
    prepare(platform);
    Form1 form(platform);
    form.Form_Load();
    reached.insert(rowsOf(form));
    platform.writeLog.clear();
    for (const auto& step : steps) {
      step(form);
      reached.insert(rowsOf(form));
    }
    writes = platform.WriteCount();
  }
  ASSERT_GE(writes, 4);
  for (int end = 1; end <= writes; ++end) {
    SCOPED_TRACE("the run ends in its write " + std::to_string(end));
    FakePlatform platform;
    prepare(platform);
    {
      Form1 form(platform);
      form.Form_Load();
      platform.endAtWrite = end;
      try {
        for (const auto& step : steps) step(form);
        ADD_FAILURE() << "the run did not end";
      } catch (const FakePlatform::ProgramEnded&) {
      }
    }
    platform.endAtWrite = 0;
    Form1 next(platform);
    next.Form_Load();
    EXPECT_TRUE(reached.count(rowsOf(next))) << "a list the run never showed, of " << next.List1.Count() << " rows";
  }
}

}  // namespace
}  // namespace reelmark
