// Commands whose buttons and menu items exist already but whose behaviour is not built
// yet: copying a path. Until then it does nothing.
#include "ui/form1.h"

namespace reelmark {

void Form1::Command2_Click() {}

}  // namespace reelmark
