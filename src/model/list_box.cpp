#include "model/list_box.h"

#include <iterator>

namespace reelmark {

const std::wstring& ListBox::Row(int index) const {
  static const std::wstring empty;
  return index >= 0 && index < Count() ? rows_[static_cast<size_t>(index)] : empty;
}

void ListBox::Append(std::wstring text) { Insert(Count(), std::move(text)); }

void ListBox::AppendRows(std::vector<std::wstring> texts) {
  if (texts.empty()) return;
  RowsChanging();
  const int first = Count();
  rows_.insert(rows_.end(), std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
  marks_.resize(rows_.size());
  // Rows added after the selected one leave the selection where it is.
  if (observer_) observer_->RowsAppended(first, std::span<const std::wstring>(rows_).subspan(static_cast<size_t>(first)));
  RowsChanged(first, Count() - first);
}

void ListBox::Insert(int index, std::wstring text) {
  if (index < 0 || index > Count()) index = Count();
  RowsChanging();
  rows_.insert(rows_.begin() + index, std::move(text));
  marks_.insert(marks_.begin() + index, 0);
  if (selected_ >= index) ++selected_;  // the selection stays on its row
  if (observer_) observer_->RowInserted(index, rows_[static_cast<size_t>(index)]);
  RowsChanged(index, 1);
}

void ListBox::Remove(int index) {
  if (index < 0 || index >= Count()) return;
  RowsChanging();
  rows_.erase(rows_.begin() + index);
  marks_.erase(marks_.begin() + index);
  if (selected_ == index) selected_ = -1;
  else if (selected_ > index) --selected_;
  if (observer_) observer_->RowRemoved(index);
  RowsChanged(index, 0);
}

void ListBox::Replace(int index, std::wstring text) {
  if (index < 0 || index >= Count()) return;
  RowsChanging();
  rows_[static_cast<size_t>(index)] = std::move(text);
  if (selected_ == index) selected_ = -1;
  if (observer_) {
    observer_->RowRemoved(index);
    observer_->RowInserted(index, rows_[static_cast<size_t>(index)]);
  }
  RowsChanged(index, 1);
}

void ListBox::Clear() {
  RowsChanging();
  rows_.clear();
  marks_.clear();
  selected_ = -1;
  if (observer_) observer_->Cleared();
  RowsChanged(0, 0);
}

void ListBox::Select(int index) {
  selected_ = index >= 0 && index < Count() ? index : -1;
  if (observer_) observer_->SelectionChanged(selected_);
  if (onSelect_) onSelect_();
}

void ListBox::SetVisible(bool visible) {
  visible_ = visible;
  if (observer_) observer_->VisibilityChanged(visible);
}

void ListBox::SetMarked(int index, bool marked) {
  if (index < 0 || index >= Count() || Marked(index) == marked) return;
  marks_[static_cast<size_t>(index)] = marked;
  if (observer_) observer_->MarkChanged(index, marked);
}

}  // namespace reelmark
