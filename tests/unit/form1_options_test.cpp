#include <gtest/gtest.h>

#include "form1_fixture.h"

namespace reelmark {
namespace {

constexpr std::uint32_t kHiddenSystem = kAttributeHidden | kAttributeSystem;
const std::string kStored = "[options]\r\nDelLast=1\r\nDelLastPath= 0\r\nDblExit= 0\r\n[1fav]\r\ntime= 60\r\nFilename=C:\\a.avi\r\n";

class Options : public testing::Form1Test {};

// A click stores only DblExit, from Check1(2) whichever box was clicked, in the stored
// form; every other byte stays, and the file is hidden and system again afterwards.
TEST_F(Options, AClickStoresThePlayAndExitOptionAtOnce) {
  struct Case {
    const char* what;
    std::optional<std::string> before;
    std::uint32_t attributes;
    std::vector<int> clicks;  // box indexes, in order
    std::string after;
  } cases[] = {
      {"Check1(0) ticked", kStored, kHiddenSystem, {0}, kStored},
      {"Check1(2) ticked", kStored, 0, {2},
       "[options]\r\nDelLast=1\r\nDelLastPath= 0\r\nDblExit= 1\r\n[1fav]\r\ntime= 60\r\nFilename=C:\\a.avi\r\n"},
      {"Check1(2) ticked and cleared, then Check1(1)", kStored, kAttributeHidden, {2, 2, 1}, kStored},
      {"no file", std::nullopt, 0, {2}, "[options]\r\nDblExit= 1\r\n"},
      // A read-only file refuses the write; the same call makes it writable for the next.
      {"read-only", kStored, kAttributeReadOnly, {2}, kStored},
  };
  for (const Case& c : cases) {
    platform = {};
    NewForm();
    if (c.before) platform.PutFile(FavouritesPath(), *c.before, c.attributes);
    for (int index : c.clicks) {
      form->Check1[static_cast<size_t>(index)].Click();
      form->Check1_Click(index);
    }
    EXPECT_EQ(platform.Bytes(FavouritesPath()), c.after) << c.what;
    ASSERT_NE(platform.GetFile(FavouritesPath()), nullptr) << c.what;
    EXPECT_EQ(platform.GetFile(FavouritesPath())->attributes, kHiddenSystem) << c.what;
  }
}

TEST_F(Options, AGreyedBoxIsStoredAsItIs) {
  PutFavourites(kStored);
  form->Check1[2].SetValue(2);
  form->Check1_Click(0);
  EXPECT_NE(platform.Bytes(FavouritesPath()).find("DblExit= 2\r\n"), std::string::npos);
}

}  // namespace
}  // namespace reelmark
