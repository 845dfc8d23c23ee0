#include "player/replay.h"

#include "persistence/favourites.h"
#include "persistence/player_settings.h"
#include "player/command_line.h"
#include "system/platform.h"

namespace reelmark {

void StartReplay(Platform& platform, PlayerSettings& settings, const ParsedListLine& favourite) {
  settings.WriteResumePoint(favourite.storedSeconds, favourite.path);
  platform.StartProcess(PlayerCommandLine(platform.ProgramDirectory()));
}

}  // namespace reelmark
