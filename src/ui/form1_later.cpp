// Commands whose buttons and menu items exist already but whose behaviour is not built
// yet: playlists, copying a path, the play-and-exit option and the
// Explorer verb. Until then they do nothing.
#include "ui/form1.h"

namespace reelmark {

void Form1::Command2_Click() {}
void Form1::Check1_Click(int) {}
void Form1::bofang2_Click() {}
void Form1::bofang3_Click() {}
void Form1::bobangliebiao_Click() {}
void Form1::mplayer_Click() {}

}  // namespace reelmark
