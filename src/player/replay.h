// Playing a favourite again from its position: the program writes the film and the
// position into the player's resume state and starts the player with no file argument;
// the player reopens that film there by itself.
#pragma once

namespace reelmark {

class Platform;
class PlayerSettings;
struct ParsedListLine;

// Writes resume, the position and the film into the player's settings, in that order,
// then starts the player from the program directory. The favourite's own row and the
// favourites file stay as they are.
void StartReplay(Platform& platform, PlayerSettings& settings, const ParsedListLine& favourite);

}  // namespace reelmark
