// The marks of favourites whose film is not there: which films are handed to the tester on
// which event, and what its answers leave marked. The tester is the test platform's: it
// runs when the test says, with the files and drives it has.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "form1_fixture.h"
#include "persistence/favourites.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

using testing::FakePlatform;
constexpr std::uint32_t Drive(wchar_t letter) { return 1u << (letter - L'A'); }

class Marks : public testing::Form1Test {
 protected:
  // Rows 1 on: a film there, one on a drive that is gone, one gone from C:, one there.
  void Load() {
    for (const wchar_t* film : {L"C:\\f\\1.avi", L"C:\\f\\4.avi"}) platform.PutFile(film, "film");
    LoadFavourites({{10, "C:\\f\\1.avi"}, {20, "E:\\f\\2.avi"}, {30, "C:\\f\\gone.avi"}, {40, "C:\\f\\4.avi"}});
  }
  std::vector<bool> Marked() const {
    std::vector<bool> marked;
    for (int i = 0; i < form->List1.Count(); ++i) marked.push_back(form->List1.Marked(i));
    return marked;
  }
  void ShowAndTest() {
    form->Form_Shown();
    platform.RunFilmTester();
  }
};

// Each event, from a run whose window was shown and whose films were tested, and what it
// leaves marked (the header row first).
TEST_F(Marks, EachEventTestsItsFilmsAndTheAnswersMarkTheirRows) {
  struct Case {
    const char* name;
    std::function<void(Form1&, FakePlatform&)> event;
    std::vector<bool> marked;
    std::vector<std::wstring> tested;  // what the event handed to the tester
  } cases[] = {
      {"nothing", [](Form1&, FakePlatform&) {}, {0, 0, 1, 1, 0}, {}},
      {"a drop of a film not there", [](Form1& f, FakePlatform&) { f.List1_OLEDragDrop({L"D:\\x.avi"}); },
       {0, 0, 1, 1, 0, 1}, {L"D:\\x.avi"}},
      {"a drive come back, after a second's quiet", [](Form1& f, FakePlatform& p) {
         p.drives |= Drive('E');
         p.PutFile(L"E:\\f\\2.avi", "film");
         f.VolumesChanged(Drive('E') | Drive('G'));
         f.VolumesChanged(Drive('E'));
         EXPECT_EQ(p.volumeTimers, (std::vector<unsigned>{1000, 1000}));
         EXPECT_TRUE(p.filmTests.empty());
         f.VolumeTimer_Timer();
       }, {0, 0, 0, 1, 0}, {L"E:\\f\\2.avi"}},
      {"a film put back, before anything tells", [](Form1&, FakePlatform& p) { p.PutFile(L"C:\\f\\gone.avi", "film"); },
       {0, 0, 1, 1, 0}, {}},
      {"the system resumed", [](Form1& f, FakePlatform& p) {
         p.PutFile(L"C:\\f\\gone.avi", "film");
         p.PutFile(L"C:\\f\\1.avi", "film", kAttributeHidden);  // a hidden copy counts as none
         f.SystemResumed();
       }, {0, 1, 1, 0, 0}, {L"C:\\f\\1.avi", L"E:\\f\\2.avi", L"C:\\f\\gone.avi", L"C:\\f\\4.avi"}},
      {"shown from the tray within a minute", [](Form1& f, FakePlatform& p) {
         p.now += 59'000;
         f.ShowFromTray();
       }, {0, 0, 1, 1, 0}, {}},
      {"shown from the tray a minute on", [](Form1& f, FakePlatform& p) {
         p.now += 60'000;
         f.ShowFromTray();
       }, {0, 0, 1, 1, 0}, {L"C:\\f\\1.avi", L"E:\\f\\2.avi", L"C:\\f\\gone.avi", L"C:\\f\\4.avi"}},
      {"a move: the marks go with their films", [](Form1& f, FakePlatform&) {
         f.List1.Select(3);
         f.List1_KeyPress('s');
       }, {0, 0, 1, 0, 1}, {}},
      {"a delete: the rows renumbered keep theirs", [](Form1& f, FakePlatform&) {
         f.List1.Select(1);
         f.Command3_Click();
       }, {0, 1, 1, 0}, {}},
      {"a capture that mends a path", [](Form1& f, FakePlatform& p) {
         p.drives |= Drive('F');
         p.PutFile(L"F:\\f\\2.avi", "film");
         p.windows = {{77, L"MPlayer - 2.avi"}};
         p.onClose[77] = {{p.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=F:\\f\\2.avi\r\ntime=5\r\n"}};
         f.Command4_Click();
       }, {0, 0, 0, 1, 0}, {L"F:\\f\\2.avi"}},
      {"a clear: only the header row, never marked", [](Form1& f, FakePlatform& p) {
         p.answers = {MessageAnswer::Yes};
         f.clr1_Click();
       }, {0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform = {};
    NewForm();
    Load();
    ShowAndTest();
    platform.filmTests.clear();
    c.event(*form, platform);
    std::vector<std::wstring> handed;
    for (const auto& request : platform.filmTests) handed.insert(handed.end(), request.begin(), request.end());
    EXPECT_EQ(handed, c.tested);
    platform.RunFilmTester();
    EXPECT_EQ(Marked(), c.marked);
  }
}

// Start-up tests nothing before the window shows; then every film is handed over at once,
// and until an answer comes a row is drawn as if its film were there. A share that does not
// answer holds up only its own films: the local ones are tested first. The marks change
// no file and ask nothing.
TEST_F(Marks, TheWindowNeverWaitsAndAShareThatSleepsHoldsUpOnlyItsOwn) {
  platform.PutFile(L"C:\\f\\1.avi", "film");
  platform.drives |= Drive('N');
  platform.driveKinds[L'N'] = DriveKind::Network;
  platform.deadRoots = {L"\\\\nas\\films\\", L"N:\\"};
  platform.drives |= Drive('D');
  platform.notReady = {L'D'};  // a drive without its disc: its root answers no, at once
  LoadFavourites({{10, "\\\\nas\\films\\a.avi"}, {20, "N:\\b.avi"}, {30, "C:\\f\\1.avi"}, {40, "C:\\f\\gone.avi"},
                  {50, "A:\\c.avi"}, {60, "D:\\d.avi"}});
  EXPECT_TRUE(platform.filmTests.empty());
  platform.writeLog.clear();
  form->Form_Shown();
  EXPECT_EQ(platform.filmTests.size(), 1u);
  EXPECT_EQ(Marked(), (std::vector<bool>{0, 0, 0, 0, 0, 0, 0}));
  platform.attributesAsked.clear();
  platform.RunFilmTester();
  EXPECT_EQ(Marked(), (std::vector<bool>{0, 0, 0, 0, 1, 0, 1}));
  EXPECT_EQ(platform.filmsTestedInOrder, (std::vector<std::wstring>{L"C:\\f\\1.avi", L"C:\\f\\gone.avi", L"D:\\d.avi"}));
  EXPECT_EQ(platform.attributesAsked, (std::vector<std::wstring>{L"C:\\f\\1.avi", L"C:\\f\\gone.avi"}));
  platform.deadRoots.clear();  // it wakes at last
  platform.RunFilmTester();
  EXPECT_EQ(Marked(), (std::vector<bool>{0, 1, 1, 0, 1, 1, 1}));
  EXPECT_TRUE(platform.writeLog.empty());
  EXPECT_TRUE(platform.messages.empty());
}

// A marked row plays as any other (its disk may have come back a moment ago), by a double
// click or by Enter; Enter on the header row does nothing. The context-menu key opens the
// list's menu beside the selected row, or at the list's top left when none is.
TEST_F(Marks, AMarkedRowPlaysAndTheListWorksByKeyboard) {
  Load();
  ShowAndTest();
  platform.PutFile(L"C:\\f\\gone.avi", "film");
  form->List1.Select(3);
  ASSERT_TRUE(form->List1.Marked(3));
  form->List1_KeyDown(13);
  EXPECT_EQ(platform.startedProcesses.size(), 1u);
  EXPECT_TRUE(platform.messages.empty());
  form->Check1[2].SetValue(1);  // play-and-exit: the header row must not end the program
  form->List1.Select(0);
  form->List1_KeyDown(13);
  EXPECT_EQ(platform.startedProcesses.size(), 1u);
  EXPECT_FALSE(platform.destroyed);

  form->List1_ContextMenu();
  form->List1.Select(-1);
  form->List1_ContextMenu();
  EXPECT_EQ(platform.popupMenus, (std::vector<std::string>{"mnumov @0", "mnumov @-1"}));
}

}  // namespace
}  // namespace reelmark
