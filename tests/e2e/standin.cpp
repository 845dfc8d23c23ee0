#include "standin.h"

#include "desktop.h"
#include "player_files.h"
#include "text.h"

namespace e2e {

Process StartPlayingFilm(Checks& checks, const PlayerFolder& folder, const std::wstring& film) {
  Process player = Process::Start(folder.Player(), film, folder.Path());
  checks.Require(static_cast<bool>(player), "the stand-in player did not start from " + ToUtf8(folder.Player()));
  const std::wstring title = L"MPlayer - " + FileNameOf(film);
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindTitled(player.Id(), L"MPlayer - ")) != nullptr; });
  checks.Require(window != nullptr, "expected the stand-in player's window " + Shown(title) + ", seen none within " +
                                        std::to_string(kWaitMs / 1000) + " s");
  checks.Require(TextOf(window) == title,
                 "stand-in player window: expected title " + Shown(title) + ", seen " + Shown(TextOf(window)));
  return player;
}

void ExpectPlayerClosedAfterPlaying(Checks& checks, const PlayerFolder& folder, const Process& player,
                                    const std::wstring& film) {
  // Reelmark shows its window only after the player it closed has gone; the process object
  // may be signalled a moment later.
  checks.Expect(player.WaitExit(kWaitMs), "expected the running player to have ended when Reelmark showed, "
                                       "seen it still running");
  const auto log = ParseStandinLog(folder.Read(L"standin.log").value_or(""));
  if (!checks.Expect(log.size() == 1, "standin.log: expected 1 start, seen " + std::to_string(log.size()))) return;
  auto field = [&](const wchar_t* name) {
    auto it = log[0].find(name);
    return it == log[0].end() ? std::wstring(L"<absent>") : it->second;
  };
  checks.ExpectText("standin.log mode", L"files", field(L"mode"));
  checks.ExpectText("standin.log file", film, field(L"file"));
}

}  // namespace e2e
