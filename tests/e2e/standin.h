// The stand-in player in the scenario's folder: started with a film, it shows the
// player's window and records its film and position in kk.ini when asked to close.
#pragma once

#include <string>

#include "checks.h"
#include "player_folder.h"
#include "process.h"

namespace e2e {

// Starts mplayer.exe with the film and waits for its window "MPlayer - <file name>";
// stops the scenario when it does not come.
Process StartPlayingFilm(Checks& checks, const PlayerFolder& folder, const std::wstring& film);

// The player was asked to close by Reelmark's start-up: it has ended (Reelmark waited for
// it) and it logged one start that played `film`.
void ExpectPlayerClosedAfterPlaying(Checks& checks, const PlayerFolder& folder, const Process& player,
                                    const std::wstring& film);

}  // namespace e2e
