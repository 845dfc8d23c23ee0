// One copy per player folder: a second start in the folder hands its capture to the copy
// running there and ends unseen, also while that copy still asks start-up's questions;
// a copy that does not answer gets one notice; a copy in another folder runs on its own.
#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "desktop.h"
#include "reelmark_app.h"
#include "scenario.h"
#include "scenario_kit.h"
#include "standin.h"
#include "text.h"

namespace e2e {
namespace {

// Every thread of a process stopped for as long as the object lives: a copy that hangs.
class Frozen {
 public:
  explicit Frozen(DWORD pid) {
    const reelmark::win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
      if (entry.th32OwnerProcessID != pid) continue;
      reelmark::win32::UniqueKernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
      if (thread && SuspendThread(thread.get()) != static_cast<DWORD>(-1)) threads_.push_back(std::move(thread));
    }
  }
  ~Frozen() {
    for (const auto& thread : threads_) ResumeThread(thread.get());
  }
  Frozen(const Frozen&) = delete;
  Frozen& operator=(const Frozen&) = delete;
  bool Any() const { return !threads_.empty(); }

 private:
  std::vector<reelmark::win32::UniqueKernelHandle> threads_;
};

void SecondStartHandsOver(Context& context, const char* when) {
  ReelmarkApp second(context.checks, context.folder);
  second.Start();
  second.ExpectEndedUnseen(when);
}

void SecondStartsHandOverToTheFirstCopy(Context& context) {
  const Films films = MakeFilms(context.folder);
  context.folder.Write(L"kk.ini", SettingsFile(films.c, 300));
  WriteFavourites(context, {}, {{40, films.a}});

  // During start-up's question the capture is start-up's own: the second start ends, and
  // the first copy's window stays hidden until the question is answered.
  ReelmarkApp app(context.checks, context.folder);
  app.Start();
  context.checks.Require(WaitUntil([&] { return FindMessageBox(app.Proc().Id()) != nullptr; }),
                         "expected start-up's question about adding the last film, seen none");
  SecondStartHandsOver(context, "a second start during start-up's question");
  app.ExpectStartupBox({FileNameOf(films.c), L"这部不存在！\n\r你是否要收藏这部影片？", Buttons::YesNo, IDNO});
  app.ExpectShown();
  HWND main = app.Main();
  app.ExpectList("after start-up", {kHeaderRow, Row(1, L"00:00:45", films.a)}, 0, L"");

  // Hidden in the tray, with the player playing: a second start captures the film into
  // this copy's list, and the window comes back in front to show it.
  ShowWindowAsync(main, SW_MINIMIZE);
  context.checks.Require(WaitUntil([&] { return !IsWindowVisible(main); }), "the window did not hide");
  context.folder.Write(L"standin.ini", StandinControlFile({L"", 600, std::nullopt}));
  Process player = StartPlayingFilm(context.checks, context.folder, films.b);
  SecondStartHandsOver(context, "a second start while the player plays");
  app.ExpectList("after the second start", {kHeaderRow, Row(1, L"00:00:45", films.a), Row(2, L"00:10:05", films.b)}, 1,
                 FileNameOf(films.a));
  context.checks.Expect(player.WaitExit(kWaitMs), "after the second start: expected the player closed, seen it running");
  context.checks.Expect(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }),
                        "after the second start: expected the first copy's window shown and not minimised");
  context.checks.Expect(WaitUntil([&] { return GetForegroundWindow() == main; }),
                        "after the second start: expected the first copy's window in front, seen " +
                            Shown(TextOf(GetForegroundWindow())));

  // In another folder a copy runs on its own: its start-up looks for its own kk.ini.
  std::string error;
  auto other = PlayerFolder::Create({context.folder.Reelmark(), context.folder.Player()},
                                    L"single-copy-another-folder", error);
  context.checks.Require(other.has_value(), "setting up another player folder: " + error);
  ReelmarkApp elsewhere(context.checks, *other);
  elsewhere.Start();
  elsewhere.ExpectStartupBox({L"提示", L"请将本程序复制到mplayer目录下", Buttons::Ok, IDOK});
  elsewhere.ExpectEndedUnseen("the copy in another folder, after its notice");

  // A first copy that answers nothing: after the wait, one notice of its own, no owner.
  {
    const Frozen hung(app.Proc().Id());
    context.checks.Require(hung.Any(), "could not stop the first copy's threads");
    ReelmarkApp second(context.checks, context.folder);
    const ULONGLONG started = GetTickCount64();
    second.Start();
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindMessageBox(second.Proc().Id())) != nullptr; }, 20000);
    context.checks.Require(box != nullptr, "a second start beside a hung copy: expected a notice, seen none");
    const ULONGLONG waited = GetTickCount64() - started;
    const MessageBoxSeen seen = ReadMessageBox(box);
    context.checks.Expect(seen.title == L"提示" && seen.text == L"本程序已在运行，但没有响应。" &&
                              seen.buttons == Buttons::Ok && !seen.owner,
                          "a second start beside a hung copy: expected box title \"提示\" text "
                          "\"本程序已在运行，但没有响应。\" with OK and no owner, seen " + seen.Describe() +
                              (seen.owner ? " with an owner" : ""));
    context.checks.Expect(waited >= 9000, "a second start beside a hung copy: expected the notice after the 10 s "
                                          "wait, seen it after " + std::to_string(waited) + " ms");
    context.checks.Require(AnswerMessageBox(box, IDOK), "the notice did not go when answered");
    second.ExpectEndedUnseen("a second start beside a hung copy, after its notice");
  }

  PostMessageW(main, WM_CLOSE, 0, 0);
  app.ExpectEnded("after closing the first copy");
  ExpectFavouritesFile(context, "after closing the first copy", FavouritesFile({}, {{40, films.a}, {600, films.b}}));
}

}  // namespace

void AddSingleCopyScenarios(std::vector<Scenario>& scenarios) {
  scenarios.push_back({"single-copy-second-starts-hand-over-to-the-first", SecondStartsHandOverToTheFirstCopy});
}

}  // namespace e2e
