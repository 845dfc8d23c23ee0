#include <gtest/gtest.h>

#include "form1_fixture.h"
#include "persistence/favourites.h"
#include "ui/layout.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

using testing::ShownMessage;

class Editing : public testing::Form1Test {
 protected:
  void LoadTwo() { LoadFavourites({{595, "C:\\a.avi"}, {1195, "C:\\b.avi"}}); }
};

TEST_F(Editing, SelectingARowShowsItsFileNameAndSetsTheCurrentRow) {
  LoadFavourites({{595, "C:\\a.avi"}, {1195, "nofolder.avi"}});
  form->List1.Select(1);
  EXPECT_EQ(form->Label2.Caption(), L"a.avi");
  EXPECT_EQ(form->CurrentRow, 1);
  form->List1.Select(2);
  EXPECT_EQ(form->Label2.Caption(), L"0002--00:20:00--nofolder.avi");  // no backslash: the whole row
  form->List1.Select(0);
  EXPECT_EQ(form->Label2.Caption(), L"0002--00:20:00--nofolder.avi");
  EXPECT_EQ(form->CurrentRow, 0);
  form->List1.Select(-1);
  EXPECT_EQ(form->CurrentRow, -1);
}

TEST_F(Editing, MoveUpExchangesEntriesAndKeepsTheNumbersInPlace) {
  LoadTwo();
  form->List1.Select(2);
  form->moveup_Click();
  EXPECT_EQ(Rows()[1], L"0001--00:20:00--C:\\b.avi");
  EXPECT_EQ(Rows()[2], L"0002--00:10:00--C:\\a.avi");
  EXPECT_EQ(form->List1.SelectedIndex(), 1);
  EXPECT_EQ(form->CurrentRow, 1);
  EXPECT_EQ(form->Label2.Caption(), L"b.avi");
}

TEST_F(Editing, MoveDownGivesTheSameLinesWithTheLowerRowSelected) {
  LoadTwo();
  form->List1.Select(1);
  form->movedown_Click();
  EXPECT_EQ(Rows()[1], L"0001--00:20:00--C:\\b.avi");
  EXPECT_EQ(Rows()[2], L"0002--00:10:00--C:\\a.avi");
  EXPECT_EQ(form->CurrentRow, 2);
  EXPECT_EQ(form->List1.SelectedIndex(), 2);
}

TEST_F(Editing, MovesAtTheEndsChangeNothing) {
  LoadTwo();
  const auto before = Rows();
  for (int row : {0, 1}) {
    form->List1.Select(row);
    form->moveup_Click();
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(form->CurrentRow, row);
  }
  for (int row : {0, 2}) {
    form->List1.Select(row);
    form->movedown_Click();
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(form->CurrentRow, row);
  }
}

TEST_F(Editing, OnlyLowerCaseWAndSMoveTheCurrentFavourite) {
  LoadFavourites({{1, "C:\\1.avi"}, {2, "C:\\2.avi"}, {3, "C:\\3.avi"}});
  form->List1.Select(2);
  const auto before = Rows();
  for (int key : {int{'W'}, int{'S'}, int{'x'}, 13}) {
    form->List1_KeyPress(key);
    EXPECT_EQ(Rows(), before) << key;
  }
  form->List1_KeyPress('s');
  EXPECT_EQ(form->CurrentRow, 3);
  EXPECT_EQ(Rows()[3], L"0003--00:00:07--C:\\2.avi");
  form->List1_KeyPress('w');
  form->List1_KeyPress('w');
  EXPECT_EQ(form->CurrentRow, 1);
  EXPECT_EQ(Rows()[1], L"0001--00:00:07--C:\\2.avi");
  EXPECT_EQ(Rows()[2], L"0002--00:00:06--C:\\1.avi");
}

TEST_F(Editing, DeleteRenumbersTheRowsBelow) {
  LoadRows(4);
  form->List1.Select(2);
  form->Command3_Click();
  ASSERT_EQ(form->List1.Count(), 4);
  EXPECT_EQ(Rows()[1], L"0001--00:01:05--C:\\f\\1.avi");
  EXPECT_EQ(Rows()[2], L"0002--00:03:05--C:\\f\\3.avi");
  EXPECT_EQ(Rows()[3], L"0003--00:04:05--C:\\f\\4.avi");
  EXPECT_EQ(form->List1.SelectedIndex(), 2);
  EXPECT_EQ(form->CurrentRow, 2);
  EXPECT_EQ(form->Label2.Caption(), L"3.avi");
}

TEST_F(Editing, DeleteGivesEveryRowItsIndexAsNumber) {
  LoadRows(12);
  form->List1.Select(1);
  form->del1_Click();
  for (int i = 1; i < form->List1.Count(); ++i) EXPECT_EQ(Rows()[i].substr(0, 4), NumberField(i));
  EXPECT_EQ(Rows()[10].substr(0, 4), L"0010");
}

TEST_F(Editing, DeletingTheLastAndTheOnlyFavourite) {
  LoadRows(2);
  form->List1.Select(2);
  form->Command3_Click();
  EXPECT_EQ(form->List1.Count(), 2);
  EXPECT_EQ(form->List1.SelectedIndex(), 1);
  form->Command3_Click();
  EXPECT_EQ(form->List1.Count(), 1);
  EXPECT_EQ(form->List1.SelectedIndex(), 0);
  EXPECT_EQ(form->CurrentRow, 0);
  EXPECT_EQ(form->Label2.Caption(), L"");
  form->Command3_Click();  // only the header is left: nothing happens
  EXPECT_EQ(form->List1.Count(), 1);
}

TEST_F(Editing, ClearAsksFirstAndYesLeavesTheHeaderOnly) {
  LoadRows(3);
  form->List1.Select(2);
  Answer({MessageAnswer::No});
  form->clr1_Click();
  EXPECT_EQ(platform.messages.back(), (ShownMessage{L"你确定要删除所有收藏？", L"提示", MessageButtons::YesNo}));
  EXPECT_EQ(form->List1.Count(), 4);
  EXPECT_EQ(form->List1.SelectedIndex(), 2);
  EXPECT_EQ(form->CurrentRow, 2);
  Answer({MessageAnswer::Yes});
  form->clr1_Click();
  EXPECT_EQ(Rows(), std::vector<std::wstring>{texts::kHeaderRow});
  EXPECT_EQ(form->List1.SelectedIndex(), -1);
  EXPECT_EQ(form->Label2.Caption(), L"");
  EXPECT_EQ(form->CurrentRow, 2);  // clearing does not reset the current row
}

TEST_F(Editing, AStaleCurrentRowAfterAClearMovesAndDeletesNothing) {
  LoadRows(3);
  form->List1.Select(3);
  Answer({MessageAnswer::Yes});
  form->clr1_Click();
  form->moveup_Click();
  form->movedown_Click();
  form->Command3_Click();
  EXPECT_EQ(Rows(), std::vector<std::wstring>{texts::kHeaderRow});
}

TEST_F(Editing, TheRightButtonOpensTheListMenuWithoutChangingTheSelection) {
  LoadRows(3);
  form->List1.Select(2);
  form->List1_MouseDown(1);
  EXPECT_TRUE(platform.popupMenus.empty());
  form->List1_MouseDown(2);
  EXPECT_EQ(platform.popupMenus, std::vector<std::string>{"mnumov"});
  EXPECT_EQ(form->List1.SelectedIndex(), 2);
  EXPECT_EQ(form->CurrentRow, 2);
}

TEST_F(Editing, MenuCommandsReachTheirHandlers) {
  LoadRows(3);
  form->List1.Select(2);
  form->MenuCommand(kMoveUp);
  EXPECT_EQ(form->CurrentRow, 1);
  form->MenuCommand(kMoveDown);
  EXPECT_EQ(form->CurrentRow, 2);
  form->MenuCommand(kDel1);
  EXPECT_EQ(form->List1.Count(), 3);
  Answer({MessageAnswer::Yes});
  form->MenuCommand(kClr1);
  EXPECT_EQ(form->List1.Count(), 1);
  form->MenuCommand(kZouren);
  EXPECT_TRUE(platform.ended);
}

TEST_F(Editing, TheListMenuHoldsItsItemsInOrder) {
  std::vector<std::string> names;
  for (const MenuItem& item : form->mnumov.items) {
    names.push_back(item.name);
    for (const MenuItem& child : item.children) names.push_back("  " + child.name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"bofang", "  bofang1", "  bofang3", "  bofang2", "moveup", "movedown",
                                             "clr1", "del1", "save1", "  bobangliebiao", "guanlian", "  mplayer",
                                             "zouren"}));
}

}  // namespace
}  // namespace reelmark
