#include <gtest/gtest.h>

#include "model/controls.h"
#include "model/list_box.h"

namespace reelmark {
namespace {

TEST(ListBoxModel, TheSelectionStaysOnItsRowLikeTheSystemListBox) {
  ListBox list;
  int handled = 0;
  list.SetSelectionHandler([&] { ++handled; });
  for (const wchar_t* row : {L"h", L"a", L"b", L"c"}) list.Append(row);
  EXPECT_EQ(handled, 0);  // adding rows selects nothing
  list.Select(2);
  EXPECT_EQ(handled, 1);
  list.Insert(1, L"new");
  EXPECT_EQ(list.SelectedText(), L"b");
  list.Remove(0);
  EXPECT_EQ(list.SelectedText(), L"b");
  list.Remove(list.SelectedIndex());
  EXPECT_EQ(list.SelectedIndex(), -1);
  list.Select(1);
  list.Replace(1, L"changed");
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_EQ(list.Row(1), L"changed");
  list.Select(99);
  EXPECT_EQ(list.SelectedIndex(), -1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Row(0), L"");
  list.Remove(0);  // nothing to remove: ignored
}

TEST(CheckBoxModel, AClickTicksAClearBoxAndClearsATickedOrGreyedOne) {
  CheckBox box;
  int changes = 0;
  box.SetChangeHandler([&] { ++changes; });
  box.Click();
  EXPECT_EQ(box.Value(), 1);
  box.Click();
  EXPECT_EQ(box.Value(), 0);
  box.SetValue(2);
  box.Click();
  EXPECT_EQ(box.Value(), 0);
  EXPECT_EQ(changes, 4);
}

}  // namespace
}  // namespace reelmark
