// What a second start of the program in the same folder hands to this copy: the capture
// it was started for.
#include "ui/form1.h"

namespace reelmark {

// Once the unload has begun the favourites are being written, or are written: a capture
// now would be lost, so the second start waits for this copy to end.
bool Form1::AcceptsHandOff() const { return !unloaded_ && !ended_; }

void Form1::HandOffCapture() {
  // Posted, so it can arrive after the unload began (a question of the unload is open).
  if (!loaded_ || !AcceptsHandOff()) return;
  ddd();
  ShowFromTray();
}

}  // namespace reelmark
