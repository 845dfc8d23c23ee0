// The tray icon and the hot key: their rules, and when the window asks for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "form1_fixture.h"
#include "shell/hot_key.h"
#include "shell/tray.h"

namespace reelmark {
namespace {

TEST(HotKeyText, ModifiersMatchExactlyAndTheCodeIsReadAsANumber) {
  struct Case {
    const wchar_t* text;
    HotKeyCombination expected;
  };
  const Case cases[] = {
      {L"Ctrl+Alt,113", {3, 113}},
      {L"Alt,65", {1, 65}},
      {L"Shift,65", {4, 65}},
      {L"Ctrl+Shift,65", {6, 65}},
      {L"Ctrl+Alt+Shift,65", {7, 65}},
      {L"Shift+Alt,65", {5, 65}},
      // Any other spelling or order is no modifier at all.
      {L"Alt+Ctrl,113", {0, 113}},
      {L"ctrl+alt,113", {0, 113}},
      // Without a comma the whole text is the code, rounded a half to the even neighbour.
      {L"113", {0, 113}},
      {L"112.5", {0, 112}},
      {L"113.5", {0, 114}},
      {L"F2", {0, 0}},
      // The first comma splits; the code is the number its text starts with.
      {L"Ctrl+Alt,", {3, 0}},
      {L"Ctrl+Alt,113,5", {3, 113}},
      {L"Ctrl,Alt,113", {2, 0}},
      {L"Ctrl+Alt,99999999999999", {3, 2147483647}},
      {L"Ctrl+Alt,-1e300", {3, -2147483647 - 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHotKeyText(c.text), c.expected) << "text \"" << c.text << '"';
}

TEST(HotKeyText, AddRegistersTheParsedKeyDelUnregistersAndOtherModesDoNothing) {
  testing::FakePlatform platform;
  SetHotKey(platform, 1, L"Alt+Ctrl,113", L"Add");
  SetHotKey(platform, 7, L"Ctrl+Alt,113", L"Del");
  SetHotKey(platform, 1, L"Ctrl+Alt,113", L"add");
  SetHotKey(platform, 1, L"Ctrl+Alt,113", L"Delete");
  EXPECT_EQ(platform.shellCalls, (std::vector<std::wstring>{L"RegisterHotKey 1 0 113", L"UnregisterHotKey 7"}));
}

TEST(WindowHooks, TrayAndHotKeyMessagesAsTheHooksReadThem) {
  constexpr unsigned kTaskbarCreated = 0xC123;
  struct Case {
    unsigned message;
    std::intptr_t lParam;
    unsigned taskbarCreated;
    TrayAction expected;
  };
  const Case cases[] = {
      {2025, 514, kTaskbarCreated, TrayAction::ShowWindow},
      {2025, 517, kTaskbarCreated, TrayAction::OpenMenu},
      {2025, 513, kTaskbarCreated, TrayAction::PassOn},  // left button pressed
      {2025, 515, kTaskbarCreated, TrayAction::PassOn},  // left double click
      {2024, 514, kTaskbarCreated, TrayAction::PassOn},
      {514, 0, kTaskbarCreated, TrayAction::PassOn},
      {kTaskbarCreated, 0, kTaskbarCreated, TrayAction::AddIconAgain},
      // Unregistered: no message stands for the taskbar's start.
      {0, 0, 0, TrayAction::PassOn},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrayMessageAction(c.message, c.lParam, c.taskbarCreated), c.expected)
        << "message " << c.message << " lParam " << c.lParam;
  }
  EXPECT_TRUE(HotKeyCaptures(786, 1));
  EXPECT_FALSE(HotKeyCaptures(786, 2));
  EXPECT_FALSE(HotKeyCaptures(785, 1));
}

TEST(TrayTip, IsCutToFitItsFieldAndAlwaysTerminated) {
  struct Case {
    std::wstring text;
    std::wstring expected;
  };
  const std::wstring fill(200, L'x');
  const std::wstring pair = L"\xD83C\xDFAC";  // one character in two UTF-16 units
  const Case cases[] = {
      {L"Reelmark", L"Reelmark"},
      {L"", L""},
      {fill.substr(0, 127), fill.substr(0, 127)},
      {fill, fill.substr(0, 127)},
      {fill.substr(0, 126) + pair, fill.substr(0, 126)},
      {fill.substr(0, 125) + pair + L"y", fill.substr(0, 125) + pair},
  };
  for (const Case& c : cases) {
    // The field sits inside a larger buffer, so a write past its end would show.
    std::array<wchar_t, 140> buffer;
    buffer.fill(L'#');
    FillTipField(c.text, std::span<wchar_t>(buffer.data() + 4, 128));
    const std::wstring field(buffer.data() + 4, 128);
    EXPECT_EQ(std::wstring(field.c_str()), c.expected) << "text of " << c.text.size() << " units";
    EXPECT_EQ(field.find_first_not_of(L'\0', c.expected.size()), std::wstring::npos);
    EXPECT_EQ(std::wstring(buffer.data(), 4), L"####");
    EXPECT_EQ(std::wstring(buffer.data() + 132, 8), L"########");
  }
  std::array<wchar_t, 1> untouched{L'#'};
  FillTipField(L"Reelmark", std::span<wchar_t>(untouched.data(), 0));
  EXPECT_EQ(untouched[0], L'#');
}

using testing::FavouritesBytes;

class TrayAndHotKey : public testing::Form1Test {};

TEST_F(TrayAndHotKey, EveryWayThroughTheProgramTakesDownWhatItPutUp) {
  const std::vector<std::wstring> startUp = {L"AddTrayIcon", L"SetTrayTip Reelmark", L"RegisterHotKey 1 3 113"};
  struct Case {
    const char* way;
    bool settingsFile;
    std::function<void(Form1&)> leave;
    std::vector<std::wstring> expected;
  };
  std::vector<std::wstring> unloaded = startUp, leftAtOnce = startUp;
  unloaded.insert(unloaded.end(), {L"RemoveTrayIcon", L"UnregisterHotKey 1"});
  leftAtOnce.push_back(L"RemoveTrayIcon");
  const Case cases[] = {
      {"no settings file", false, [](Form1&) {}, {L"AddTrayIcon", L"SetTrayTip Reelmark", L"RemoveTrayIcon"}},
      {"退出 button", true, [](Form1& f) { f.Command1_Click(); }, unloaded},
      {"tray 退出", true, [](Form1& f) { f.MenuCommand(2102); }, unloaded},
      {"走人", true, [](Form1& f) { f.MenuCommand(2010); }, leftAtOnce},
  };
  for (const Case& c : cases) {
    platform.shellCalls.clear();
    NewForm();
    if (c.settingsFile) PutSettings("[Option]\r\nauto_resume=1\r\n");
    else platform.RemoveFile(SettingsPath());
    form->Form_Load();
    c.leave(*form);
    EXPECT_EQ(platform.shellCalls, c.expected) << c.way;
  }
}

TEST_F(TrayAndHotKey, LeftClickShowsTheHiddenWindowNormalWithFocusRightClickOpensTheTrayMenu) {
  LoadFavourites({{60, "C:\\a.avi"}});
  int changes = 0;
  form->SetWindowChangeHandler([&] { ++changes; });
  form->window.visible = false;
  form->window.state = WindowShowState::Minimized;
  platform.shellCalls.clear();
  form->ShowFromTray();
  EXPECT_TRUE(form->window.visible);
  EXPECT_EQ(form->window.state, WindowShowState::Normal);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(platform.shellCalls, (std::vector<std::wstring>{L"FocusMainWindow"}));

  form->OpenTrayMenu();
  EXPECT_EQ(platform.popupMenus, (std::vector<std::string>{"mnuTray"}));
  EXPECT_EQ(form->mnuTray.items.size(), 2u);
}

// A second start hands its capture over until the unload begins; it is carried out only
// once start-up has ended (start-up captures the film itself) and shows the window.
TEST_F(TrayAndHotKey, HandedOverCaptureWaitsForStartUpAndIsRefusedOnceTheUnloadBegins) {
  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\b.avi\r\ntime=120\r\n");
  PutFavourites(FavouritesBytes({{60, "C:\\a.avi"}, {60, "C:\\b.avi"}}, "[options]\r\nDelLast=1\r\n"));
  const auto handOver = [&] {
    EXPECT_TRUE(form->AcceptsHandOff());
    form->HandOffCapture();
  };
  platform.whileAsking = handOver;  // start-up asks about the time of b
  Answer({MessageAnswer::No});
  form->Form_Load();
  EXPECT_EQ(Rows()[2], L"0002--00:01:05--C:\\b.avi");
  EXPECT_FALSE(form->window.visible);
  EXPECT_EQ(std::count(platform.shellCalls.begin(), platform.shellCalls.end(), L"FocusMainWindow"), 0);

  handOver();
  EXPECT_EQ(Rows()[2], L"0002--00:02:05--C:\\b.avi");
  EXPECT_TRUE(form->window.visible);
  EXPECT_EQ(platform.shellCalls.back(), L"FocusMainWindow");

  PutSettings("[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=C:\\b.avi\r\ntime=600\r\n");
  platform.whileAsking = [&] { EXPECT_FALSE(form->AcceptsHandOff()); };  // the unload's question
  Answer({MessageAnswer::No});
  form->Unload();
  EXPECT_FALSE(form->AcceptsHandOff());
  EXPECT_EQ(Rows()[2], L"0002--00:02:05--C:\\b.avi");
  EXPECT_NE(platform.Bytes(FavouritesPath()).find("time= 120\r\nFilename=C:\\b.avi"), std::string::npos);
}

}  // namespace
}  // namespace reelmark
