#include <gtest/gtest.h>

#include "form1_fixture.h"

namespace reelmark {
namespace {

using State = WindowShowState;

struct ResizeCase {
  const char* name;
  WindowModel before;  // as the shell reports the change
  int screenWidth, screenHeight;
  WindowModel after;
};

// Start-up fixes the size at 500 x 400.
const ResizeCase kCases[] = {
    {"another size snaps back, centred", {0, 0, 300, 200, State::Normal, true}, 1024, 768,
     {262, 184, 500, 400, State::Normal, true}},
    {"a half pixel of centring goes to the even side", {5, 5, 500, 401, State::Normal, true}, 1025, 767,
     {262, 184, 500, 400, State::Normal, true}},
    {"a screen smaller than the window: negative, as computed", {0, 0, 500, 400, State::Normal, true}, 301, 203,
     {-100, -98, 500, 400, State::Normal, true}},
    {"minimised: hidden", {1, 2, 500, 400, State::Minimized, true}, 1024, 768,
     {1, 2, 500, 400, State::Minimized, false}},
    {"maximised: minimised, and so hidden", {0, 0, 1024, 768, State::Maximized, true}, 1024, 768,
     {0, 0, 1024, 768, State::Minimized, false}},
};

class Resize : public testing::Form1Test, public ::testing::WithParamInterface<ResizeCase> {};

TEST_P(Resize, OneSizeCentredAndNoMaximisedOrMinimisedWindow) {
  const ResizeCase& c = GetParam();
  SCOPED_TRACE(c.name);
  LoadFavourites({});
  // Like the shell: a change of state the handler makes raises a resize of its own.
  State seen = c.before.state;
  form->SetWindowChangeHandler([&] {
    if (form->window.state == seen) return;
    seen = form->window.state;
    form->Form_Resize();
  });
  platform.screenWidth = c.screenWidth;
  platform.screenHeight = c.screenHeight;
  form->window = c.before;
  form->Form_Resize();
  const WindowModel& w = form->window;
  EXPECT_EQ((std::vector<int>{w.left, w.top, w.width, w.height}),
            (std::vector<int>{c.after.left, c.after.top, c.after.width, c.after.height}));
  EXPECT_EQ(w.state, c.after.state);
  EXPECT_EQ(w.visible, c.after.visible);
}

INSTANTIATE_TEST_SUITE_P(Cases, Resize, ::testing::ValuesIn(kCases));

TEST_F(Resize, BeforeStartUpTookTheSizeNothingChanges) {
  form->window = {3, 4, 100, 50, State::Normal, false};
  form->Form_Resize();
  EXPECT_EQ(form->window.width, 100);
  EXPECT_EQ(form->window.left, 3);
}

}  // namespace
}  // namespace reelmark
