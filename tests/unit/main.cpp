#include <gtest/gtest.h>

#include "base/text.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  reelmark::SetAnsiCodePage(936);  // the code page the program is written for
  return RUN_ALL_TESTS();
}
