// What a drop of files does to the favourites, worked out before anything changes.
//
// The list is read as the drop finds it: each dropped path in its order is looked for by
// file name (letter case counts, folders do not) among the favourites, those appended for
// earlier paths of the same drop included. A path not found becomes a new favourite at
// 00:00:00 while the list has room. Looking a path up selects the rows it passes, so the
// selection rests on the row where the last lookup stopped: the row that matched, or else
// the last favourite there was before the path was appended. An empty path is skipped:
// it is not looked up and adds nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace reelmark {

struct DropPlan {
  std::vector<std::wstring> newRows;  // list lines to append, in order
  // The row left selected; nothing when no lookup passed a favourite (an empty list).
  std::optional<int> selection;
  // A single dropped file that is a favourite already: its row, to offer playing it.
  std::optional<int> knownRow;
};

// `rows` are the list's rows, the header row first. One map from file name to its first
// row makes this linear in the rows and the paths.
DropPlan PlanDrop(const std::vector<std::wstring>& rows, const std::vector<std::wstring>& dropped);

}  // namespace reelmark
