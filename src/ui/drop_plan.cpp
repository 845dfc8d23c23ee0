#include "ui/drop_plan.h"

#include <string_view>
#include <unordered_map>

#include "base/path.h"
#include "persistence/favourites.h"

namespace reelmark {

DropPlan PlanDrop(const std::vector<std::wstring>& rows, const std::vector<std::wstring>& dropped) {
  DropPlan plan;
  if (dropped.empty()) return plan;
  // Keys view the rows and the dropped paths, which stay put while the plan is made.
  std::unordered_map<std::wstring_view, int> firstRowByName;
  firstRowByName.reserve(rows.size() + dropped.size());
  for (size_t i = 1; i < rows.size(); ++i) {
    firstRowByName.try_emplace(FileNameOf(ListLinePath(rows[i])), static_cast<int>(i));
  }
  int count = static_cast<int>(rows.size());
  for (const std::wstring& path : dropped) {
    // A path the drop could not give (an empty one) is no file: as a row it would end the
    // favourites file at the next start-up and lose every row after it.
    if (path.empty()) continue;
    const int last = count - 1;
    const std::wstring_view name = FileNameOf(path);
    if (const auto found = firstRowByName.find(name); found != firstRowByName.end()) {
      plan.selection = found->second;
      if (dropped.size() == 1) plan.knownRow = found->second;
      continue;
    }
    if (last >= 1) plan.selection = last;
    if (last + 1 > kMaxFavourites) continue;  // the number column has no room left
    plan.newRows.push_back(FormatListLine(last + 1, 0, path));
    if (last >= 0) firstRowByName.emplace(name, last + 1);  // never the header row
    ++count;
  }
  return plan;
}

}  // namespace reelmark
