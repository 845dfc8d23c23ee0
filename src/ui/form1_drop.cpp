// Adding dropped files to the favourites and copying a favourite's path. Like the other
// edits they change the list only; the favourites file follows at shut-down.
#include "persistence/favourites.h"
#include "ui/drop_plan.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {

void Form1::List1_OLEDragDrop(const std::vector<std::wstring>& files) {
  RunEvent([this, files] {
    DropPlan plan = PlanDrop(List1.Rows(), files);
    // All new rows in one change, so the window paints them once.
    List1.AppendRows(std::move(plan.newRows));
    if (plan.selection) List1.Select(*plan.selection);
    if (!plan.knownRow) return;
    const std::wstring question = std::wstring(texts::kPlayIt) + texts::kQuestionBreak +
                                  std::wstring(ListLinePath(List1.Row(*plan.knownRow)));
    if (Ask(question, texts::kNoticeTitle, MessageButtons::YesNo) == MessageAnswer::Yes) List1_DblClick();
  });
}

void Form1::Command2_Click() {
  RunEvent([this] {
    if (CurrentRow < 1) {
      Ask(texts::kNoRowToCopy, texts::kNoticeTitle, MessageButtons::Ok);
      return;
    }
    // The notice comes first: the clipboard changes once it is dismissed.
    Ask(texts::kPathCopied, texts::kNoticeTitle, MessageButtons::Ok);
    platform_.PutTextOnClipboard(std::wstring(ListLinePath(List1.SelectedText())));
  });
}

}  // namespace reelmark
