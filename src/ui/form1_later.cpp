// Commands whose buttons and menu items exist already but whose behaviour is not built
// yet: capture, playing and copying a path. Until then they do nothing.
#include "ui/form1.h"

namespace reelmark {

void Form1::ddd() {}
void Form1::List1_DblClick() {}
void Form1::Command2_Click() {}

}  // namespace reelmark
