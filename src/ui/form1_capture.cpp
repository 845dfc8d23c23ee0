// Capture: the form's side of taking the playing film into the favourites.
#include "persistence/player_settings.h"
#include "player/capture.h"
#include "ui/form1.h"

namespace reelmark {

void Form1::ddd() {
  // Start-up captures the film itself; its list is not whole before it ends.
  if (!loaded_) return;
  RunEvent([this] {
    PlayerSettings settings(platform_, SettingsPath());
    if (const auto captured = CaptureFilm(platform_, settings, List1)) Label3.SetCaption(*captured);
  });
}

}  // namespace reelmark
