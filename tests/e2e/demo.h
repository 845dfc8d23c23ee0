// Small steps for scripts/demo.sh, which runs Reelmark on a desktop for a newcomer:
//   --demo-wait-question  waits (60 s) for Reelmark's first question and prints it
//   --demo-answer-yes     answers that question Yes and waits for the main window
//   --demo-wait-window    waits for the main window
// Exit code 0 when the step happened.
#pragma once

#include <string>

namespace e2e {

int RunDemoStep(const std::wstring& step);

}  // namespace e2e
