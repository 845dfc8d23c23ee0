// A list box as a plain model: rows of text, one selected index, visibility, and a mark
// on each row that changes how it is drawn, never its text. It keeps the selection the
// way the system's list box does when rows are inserted or removed, and runs its
// selection handler whenever a row is selected, from code or by the user.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace reelmark {

class ListBoxObserver {
 public:
  virtual ~ListBoxObserver() = default;
  virtual void RowInserted(int index, const std::wstring& text) = 0;
  virtual void RowRemoved(int index) = 0;
  virtual void Cleared() = 0;
  virtual void SelectionChanged(int index) = 0;
  virtual void VisibilityChanged(bool visible) = 0;
  // Many rows added at the end at once, from `first` on. An observer that can take them
  // in one go (one repaint, storage reserved once) overrides this.
  virtual void RowsAppended(int first, std::span<const std::wstring> texts) {
    for (const std::wstring& text : texts) RowInserted(first++, text);
  }
  virtual void MarkChanged(int index, bool marked) = 0;
};

class ListBox {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  const std::wstring& Row(int index) const;  // the empty text outside the rows
  const std::vector<std::wstring>& Rows() const { return rows_; }
  int SelectedIndex() const { return selected_; }
  std::wstring SelectedText() const { return Row(selected_); }
  bool Visible() const { return visible_; }
  // Rows come unmarked; a row given new text keeps its mark.
  bool Marked(int index) const { return index >= 0 && index < Count() && marks_[static_cast<size_t>(index)]; }

  void Append(std::wstring text);
  // Appends the rows in their order, told to the observer as one change.
  void AppendRows(std::vector<std::wstring> texts);
  // Inserts before `index` (at the end when index is the row count or beyond).
  void Insert(int index, std::wstring text);
  void Remove(int index);  // a row outside the list is ignored
  // Puts new text in a row, as inserting it before the row and removing the old row
  // would: a selection on that row is lost.
  void Replace(int index, std::wstring text);
  void Clear();
  // Selects a row (-1 for none) and runs the selection handler; an index outside the
  // rows selects nothing.
  void Select(int index);
  void SetVisible(bool visible);
  void SetMarked(int index, bool marked);  // told to the observer when it changes

  void SetSelectionHandler(std::function<void()> handler) { onSelect_ = std::move(handler); }
  // Runs after every change of the rows (an insert, a removal, a replace, a clear, rows
  // appended), whoever made it, with the rows that are new or have new text: `count` of
  // them from `first` (none for a removal or a clear). A selection, a change of visibility
  // or of a mark is no change.
  using RowsChangedHandler = std::function<void(int first, int count)>;
  void SetRowsChangedHandler(RowsChangedHandler handler) { onRowsChanged_ = std::move(handler); }
  // Runs before each such change, while the rows are still as they were.
  void SetRowsChangingHandler(std::function<void()> handler) { onRowsChanging_ = std::move(handler); }
  void SetObserver(ListBoxObserver* observer) { observer_ = observer; }

 private:
  void RowsChanging() {
    if (onRowsChanging_) onRowsChanging_();
  }
  void RowsChanged(int first, int count) {
    if (onRowsChanged_) onRowsChanged_(first, count);
  }

  std::vector<std::wstring> rows_;
  std::vector<unsigned char> marks_;  // one a row
  int selected_ = -1;
  bool visible_ = true;
  std::function<void()> onSelect_;
  RowsChangedHandler onRowsChanged_;
  std::function<void()> onRowsChanging_;
  ListBoxObserver* observer_ = nullptr;
};

}  // namespace reelmark
