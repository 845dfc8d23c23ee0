// What arrives while a question box is open: the box's message loop still delivers the hot
// key, the tray menu's commands, a close request, a drop and a second start's capture.
// Each waits for the answer and then runs as if it had come right after it.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "form1_fixture.h"
#include "persistence/favourites.h"
#include "ui/layout.h"

namespace reelmark {
namespace {

using testing::FakePlatform;
using testing::FavouritesBytes;

constexpr WindowHandle kPlayer = 77;
constexpr auto Yes = MessageAnswer::Yes;
constexpr auto No = MessageAnswer::No;
constexpr auto Ok = MessageAnswer::Ok;

// A player folder with four favourites, of which the second's film is gone, and a player
// that plays E:\new.avi once start-up is over.
struct World {
  FakePlatform platform;
  std::unique_ptr<Form1> form = std::make_unique<Form1>(platform);

  explicit World(const std::string& autoResume) {
    form->window = WindowModel{10, 20, 500, 400, WindowShowState::Normal, false};
    platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n");
    platform.PutFile(platform.Path(L"kk_fav.ini"),
                     FavouritesBytes({{60, "C:\\f\\a.avi"}, {120, "C:\\f\\gone.avi"}, {180, "C:\\f\\c.avi"},
                                      {240, "C:\\f\\d.avi"}}),
                     kAttributeHidden | kAttributeSystem);
    for (const wchar_t* film : {L"C:\\f\\a.avi", L"C:\\f\\c.avi", L"C:\\f\\d.avi"}) platform.PutFile(film, "film");
    form->Form_Load();
    form->window.visible = true;
    platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=" + autoResume + "\r\n");
    platform.windows = {{kPlayer, L"MPlayer - new.avi"}};
    platform.onClose[kPlayer] = {
        {platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=E:\\new.avi\r\ntime=95\r\n"}};
  }

  // Everything a user or another program could see afterwards.
  std::wstring Seen() const {
    std::wostringstream seen;
    for (const std::wstring& row : form->List1.Rows()) seen << row << L"\n";
    seen << L"selected " << form->List1.SelectedIndex() << L", current " << form->CurrentRow << L", Label2 "
         << form->Label2.Caption() << L", Label3 " << form->Label3.Caption() << L", visible " << form->window.visible
         << L"\n";
    for (const auto& message : platform.messages) seen << L"asked " << message.text << L"\n";
    for (const auto& started : platform.startedProcesses) seen << L"started " << started << L"\n";
    for (const auto& text : platform.clipboard) seen << L"clipboard " << text.text << L"\n";
    for (const auto& call : platform.shellCalls) seen << L"shell " << call << L"\n";
    seen << L"destroyed " << platform.destroyed << L", ended " << platform.ended << L"\n";
    for (const wchar_t* file : {L"kk.ini", L"kk_fav.ini"}) {
      seen << file << L":\n";
      for (const unsigned char byte : platform.Bytes(platform.Path(file))) seen << static_cast<wchar_t>(byte);
    }
    return seen.str();
  }
};

struct Box {
  const char* name;
  std::string autoResume;
  std::function<void(Form1&)> prepare;  // before the event that opens the box
  std::function<void(Form1&)> open;     // the handler that asks
  std::vector<MessageAnswer> answers;
};

const Box kBoxes[] = {
    {"replay: auto_resume off, Yes", "0", [](Form1& f) { f.List1.Select(3); }, [](Form1& f) { f.List1_DblClick(); },
     {Yes}},
    {"replay: auto_resume off, No", "0", [](Form1& f) { f.List1.Select(3); }, [](Form1& f) { f.List1_DblClick(); },
     {No}},
    {"replay: the film is gone, Yes", "1", [](Form1& f) { f.List1.Select(2); },
     [](Form1& f) { f.MenuCommand(kBofang1); }, {Yes}},
    {"replay: the film is gone, No", "1", [](Form1& f) { f.List1.Select(2); }, [](Form1& f) { f.List1_DblClick(); },
     {No}},
    {"drop: play the favourite, Yes", "1", [](Form1&) {},
     [](Form1& f) { f.List1_OLEDragDrop({L"D:\\elsewhere\\c.avi"}); }, {Yes}},
    {"drop: play the favourite, No", "1", [](Form1&) {},
     [](Form1& f) { f.List1_OLEDragDrop({L"D:\\elsewhere\\c.avi"}); }, {No}},
    {"copy: no row chosen", "1", [](Form1& f) { f.List1.Select(0); }, [](Form1& f) { f.Command2_Click(); }, {Ok}},
    {"copy: the path is copied", "1", [](Form1& f) { f.List1.Select(4); }, [](Form1& f) { f.Command2_Click(); },
     {Ok}},
    {"clear, Yes", "1", [](Form1& f) { f.List1.Select(1); }, [](Form1& f) { f.MenuCommand(kClr1); }, {Yes}},
    {"clear, No", "1", [](Form1& f) { f.List1.Select(1); }, [](Form1& f) { f.clr1_Click(); }, {No}},
};

struct Event {
  const char* name;
  std::function<void(Form1&)> deliver;
  const wchar_t* adds;  // the favourite it adds, if any
};

const Event kEvents[] = {
    {"the hot key", [](Form1& f) { f.ddd(); }, L"E:\\new.avi"},
    {"the tray's 收藏", [](Form1& f) { f.MenuCommand(kSc); }, L"E:\\new.avi"},
    {"a second start's capture", [](Form1& f) { f.HandOffCapture(); }, L"E:\\new.avi"},
    {"the tray's 退出", [](Form1& f) { f.MenuCommand(kExit); }, nullptr},
    {"a close request", [](Form1& f) { f.Unload(); }, nullptr},
    {"a drop", [](Form1& f) { f.List1_OLEDragDrop({L"F:\\new\\dropped.mkv"}); }, L"F:\\new\\dropped.mkv"},
};

TEST(EventsDuringAQuestion, WaitForTheAnswerAndThenRunAsIfTheyCameRightAfterIt) {
  for (const Box& box : kBoxes) {
    for (const Event& event : kEvents) {
      SCOPED_TRACE(std::string(box.name) + " / " + event.name);
      World during(box.autoResume);
      box.prepare(*during.form);
      during.platform.answers.assign(box.answers.begin(), box.answers.end());
      bool delivered = false;
      during.platform.whileAsking = [&] {
        event.deliver(*during.form);
        delivered = true;
      };
      box.open(*during.form);
      ASSERT_TRUE(delivered);

      World after(box.autoResume);
      box.prepare(*after.form);
      after.platform.answers.assign(box.answers.begin(), box.answers.end());
      box.open(*after.form);
      event.deliver(*after.form);

      EXPECT_EQ(during.Seen(), after.Seen());
    }
  }
}

// The unload's own questions: a capture or a drop that comes while one is open runs after
// the answer and before the favourites are written, so nothing of it is lost; a further
// unload has nothing left to do.
TEST(EventsDuringAQuestion, AtExitCapturesAndDropsAreSavedAndAnotherUnloadIsDropped) {
  struct ExitBox {
    const char* name;
    bool delLast;    // the current favourite, c, is to be removed: asked first
    int failedSaves; // saves that fail, each asked about
    std::vector<MessageAnswer> answers;
    std::vector<std::wstring> saved;  // the favourites written, before what the event adds
  };
  const std::vector<std::wstring> all = {L"C:\\f\\a.avi", L"C:\\f\\gone.avi", L"C:\\f\\c.avi", L"C:\\f\\d.avi"};
  const std::vector<std::wstring> withoutC = {L"C:\\f\\a.avi", L"C:\\f\\gone.avi", L"C:\\f\\d.avi"};
  const ExitBox exitBoxes[] = {
      {"remove the current favourite, Yes", true, 0, {Yes}, withoutC},
      {"remove the current favourite, No", true, 0, {No}, all},
      {"the save failed, Yes", false, 1, {Yes}, all},
  };
  for (const ExitBox& box : exitBoxes) {
    for (const Event& event : kEvents) {
      SCOPED_TRACE(std::string(box.name) + " / " + event.name);
      World world("1");
      world.form->Check1[0].SetValue(box.delLast ? 1 : 0);
      world.form->List1.Select(3);
      world.platform.failNextWrites = box.failedSaves;
      world.platform.answers.assign(box.answers.begin(), box.answers.end());
      world.platform.whileAsking = [&] { event.deliver(*world.form); };
      world.form->Command1_Click();

      std::vector<std::wstring> expected = box.saved;
      if (event.adds) expected.push_back(event.adds);
      std::vector<std::wstring> saved;
      const FavouritesFile file = FavouritesFile::Read(world.platform, world.platform.Path(L"kk_fav.ini"));
      for (const StoredFavourite& favourite : file.favourites) saved.emplace_back(favourite.path);
      EXPECT_EQ(saved, expected);
      EXPECT_EQ(world.platform.messages.size(), box.answers.size());
      EXPECT_TRUE(world.platform.destroyed);
    }
  }
}

}  // namespace
}  // namespace reelmark
