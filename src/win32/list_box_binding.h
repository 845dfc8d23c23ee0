// Binds the real LISTBOX to the list model in both directions: every change of the
// model shows in the control, and the user's keys and mouse buttons in the control reach
// the form's handlers.
#pragma once

#include <windows.h>

#include "model/list_box.h"
#include "win32/unique_handle.h"

namespace reelmark {
class Form1;
}

namespace reelmark::win32 {

class ListBoxBinding final : public ListBoxObserver {
 public:
  ListBoxBinding(HWND listBox, Form1& form);
  ~ListBoxBinding() override;
  ListBoxBinding(const ListBoxBinding&) = delete;
  ListBoxBinding& operator=(const ListBoxBinding&) = delete;

  // The user changed the selection (LBN_SELCHANGE): the model selects the same row,
  // which runs the selection handler.
  void OnSelectionChange();

  void RowInserted(int index, const std::wstring& text) override;
  void RowRemoved(int index) override;
  void Cleared() override;
  void SelectionChanged(int index) override;
  void VisibilityChanged(bool visible) override;
  void RowsAppended(int first, std::span<const std::wstring> texts) override;
  void MarkChanged(int index, bool marked) override;

  // Draws a row (WM_DRAWITEM) as the system's list box draws it, in the system's colours:
  // a marked one in grey text, and in italics when selected.
  void Draw(const DRAWITEMSTRUCT& item);

 private:
  // A classic subclass (the list box's own procedure saved and called on): every row
  // added sends the list box a message, and a subclass through the common controls'
  // SetWindowSubclass costs measurable time per message on some systems.
  static LRESULT CALLBACK ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Subclass();
  void Unsubclass();
  // A row put into the list box at `index`.
  void InsertRow(int index, const std::wstring& text);
  // A message straight to the list box's own procedure (when subclassed): the binding's
  // own messages need not pass through the window manager and the binding again.
  LRESULT ToListBox(UINT message, WPARAM wParam, LPARAM lParam);
  void ShowAll();
  // `row` and the rows below it need painting once painting starts again.
  void PausePainting(int row);
  void PaintAgain();
  // The row's mark, kept as its item data (which the drawing is handed, and which other
  // programs may read); sent to the list box's own procedure, as the rows are.
  void ShowMark(int index, bool marked);
  // The list's font in italics, made again when the list's font changes.
  HFONT ItalicFont(HFONT listFont);
  void RepaintMarks();

  HWND listBox_;
  Form1& form_;
  WNDPROC listBoxProc_ = nullptr;  // the list box's own procedure while subclassed
  bool paintingPaused_ = false;
  int firstDirtyRow_ = 0;  // while paused: the first row whose look changed
  int topAtPause_ = 0;     // while paused: the first row in view when painting stopped
  bool focusWhileHidden_ = false;  // the list had the focus when it was hidden
  bool marksPending_ = false;      // marks changed: their rows are to be drawn again
  int firstMarked_ = 0, lastMarked_ = 0;
  HFONT italicOf_ = nullptr;       // the font `italic_` is the italics of
  UniqueFont italic_;
};

}  // namespace reelmark::win32
