#include "win32/list_box_binding.h"

#include <algorithm>
#include <utility>

#include "ui/form1.h"
#include "win32/dropped_files.h"

namespace reelmark::win32 {
namespace {

LONG_PTR AsLong(WNDPROC procedure) { return reinterpret_cast<LONG_PTR>(procedure); }
// While the list is hidden (start-up loads thousands of rows that way), room for rows
// is reserved in steps of this many.
constexpr int kStorageStep = 1024;
// Posted to the list box by the first change of its rows while it is shown; handled after
// the handler that made the changes has returned.
constexpr UINT kPaintAgain = WM_APP + 1;
// Posted to the list box by the first change of a mark; the rows are drawn again then.
constexpr UINT kRepaintMarks = WM_APP + 2;

}  // namespace

ListBoxBinding::ListBoxBinding(HWND listBox, Form1& form) : listBox_(listBox), form_(form) {
  ::DragAcceptFiles(listBox_, TRUE);  // files dropped on the list arrive as WM_DROPFILES
  ShowAll();
  form_.List1.SetObserver(this);
  Subclass();
}

ListBoxBinding::~ListBoxBinding() {
  form_.List1.SetObserver(nullptr);
  Unsubclass();
}

// The binding lives in the list box's user data (read without a trip to the window
// server, unlike a window property), set before the procedure goes in.
void ListBoxBinding::Subclass() {
  ::SetWindowLongPtrW(listBox_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  listBoxProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(listBox_, GWLP_WNDPROC, AsLong(&ListBoxProc)));
  if (!listBoxProc_) ::SetWindowLongPtrW(listBox_, GWLP_USERDATA, 0);
}

void ListBoxBinding::Unsubclass() {
  if (!listBoxProc_) return;
  if (::IsWindow(listBox_)) {
    // The list box's own procedure goes back only while ours is the one installed: a
    // subclass made later on top would otherwise be cut off. Ours then stays in the chain
    // and, finding no binding, passes every message on.
    if (::GetWindowLongPtrW(listBox_, GWLP_WNDPROC) == AsLong(&ListBoxProc)) {
      ::SetWindowLongPtrW(listBox_, GWLP_WNDPROC, AsLong(listBoxProc_));
    }
    ::SetWindowLongPtrW(listBox_, GWLP_USERDATA, 0);
  }
  listBoxProc_ = nullptr;
}

void ListBoxBinding::ShowAll() {
  Cleared();
  const ListBox& model = form_.List1;
  for (int i = 0; i < model.Count(); ++i) RowInserted(i, model.Row(i));  // marks included
  SelectionChanged(model.SelectedIndex());
  VisibilityChanged(model.Visible());
}

void ListBoxBinding::OnSelectionChange() {
  const LRESULT selected = ::SendMessageW(listBox_, LB_GETCURSEL, 0, 0);
  form_.List1.Select(selected == LB_ERR ? -1 : static_cast<int>(selected));
}

void ListBoxBinding::RowInserted(int index, const std::wstring& text) {
  const bool atEnd = index >= form_.List1.Count() - 1;
  if (atEnd && !form_.List1.Visible() && index % kStorageStep == 0) {
    ::SendMessageW(listBox_, LB_INITSTORAGE, kStorageStep,
                   static_cast<LPARAM>(kStorageStep * (text.size() + 1) * sizeof(wchar_t)));
  }
  PausePainting(index);
  InsertRow(index, text);
  // A row given new text keeps its mark; the list box's new row has none.
  if (form_.List1.Marked(index)) ShowMark(index, true);
}

// Straight to the list box's own procedure, which is what a message sent to it reaches
// through this binding's: start-up puts in 10,000 rows, and each trip through the window
// manager and the binding took a third of the time a row costs (under Wine).
void ListBoxBinding::InsertRow(int index, const std::wstring& text) {
  ToListBox(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT ListBoxBinding::ToListBox(UINT message, WPARAM wParam, LPARAM lParam) {
  return listBoxProc_ ? ::CallWindowProcW(listBoxProc_, listBox_, message, wParam, lParam)
                      : ::SendMessageW(listBox_, message, wParam, lParam);
}

void ListBoxBinding::RowsAppended(int first, std::span<const std::wstring> texts) {
  // A shown list stops painting while the rows go in and is painted once afterwards; a
  // hidden one (start-up) does not paint anyway.
  const bool shown = form_.List1.Visible();
  if (shown) ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
  size_t characters = 0;
  for (const std::wstring& text : texts) characters += text.size() + 1;
  ::SendMessageW(listBox_, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(characters * sizeof(wchar_t)));
  for (const std::wstring& text : texts) InsertRow(first++, text);
  if (shown) {
    ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(listBox_, nullptr, TRUE);
  }
}

void ListBoxBinding::ShowMark(int index, bool marked) { ToListBox(LB_SETITEMDATA, static_cast<WPARAM>(index), marked); }

void ListBoxBinding::MarkChanged(int index, bool marked) {
  ShowMark(index, marked);
  if (paintingPaused_) {
    firstDirtyRow_ = std::min(firstDirtyRow_, index);
    return;
  }
  // Thousands of marks may change at once: the rows between the first and the last of
  // them are drawn again once the handler has returned, and only where they are in view.
  if (marksPending_) {
    firstMarked_ = std::min(firstMarked_, index);
    lastMarked_ = std::max(lastMarked_, index);
    return;
  }
  marksPending_ = ::PostMessageW(listBox_, kRepaintMarks, 0, 0) != FALSE;
  firstMarked_ = lastMarked_ = index;
}

void ListBoxBinding::RepaintMarks() {
  if (!std::exchange(marksPending_, false) || !form_.List1.Visible()) return;
  RECT client{}, first{}, last{};
  if (!::GetClientRect(listBox_, &client) ||
      ToListBox(LB_GETITEMRECT, static_cast<WPARAM>(firstMarked_), reinterpret_cast<LPARAM>(&first)) == LB_ERR ||
      ToListBox(LB_GETITEMRECT, static_cast<WPARAM>(lastMarked_), reinterpret_cast<LPARAM>(&last)) == LB_ERR) {
    return;
  }
  RECT rows{client.left, first.top, client.right, last.bottom}, shown{};
  if (::IntersectRect(&shown, &rows, &client)) ::InvalidateRect(listBox_, &shown, FALSE);
}

HFONT ListBoxBinding::ItalicFont(HFONT listFont) {
  if (listFont != italicOf_ || !italic_) {
    LOGFONTW face{};
    if (!listFont || !::GetObjectW(listFont, sizeof face, &face)) return listFont;
    face.lfItalic = TRUE;
    italic_.reset(::CreateFontIndirectW(&face));
    italicOf_ = listFont;
  }
  return italic_ ? italic_.get() : listFont;
}

void ListBoxBinding::Draw(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool focusShown = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
  // An empty list, or only the focus moved: the focus rectangle alone, as the system's.
  if (item.itemID == static_cast<UINT>(-1) || item.itemAction == ODA_FOCUS) {
    if (item.itemState & ODS_NOFOCUSRECT) return;
    ::DrawFocusRect(dc, &rect);
    return;
  }
  const int row = static_cast<int>(item.itemID);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool marked = item.itemData != 0;
  // The mark never rests on colour alone: a selected row keeps the selection's colours
  // and shows its mark in italics. System colours only, so a high-contrast theme holds.
  const int text = selected ? COLOR_HIGHLIGHTTEXT : marked ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
  const COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(text));
  const COLORREF oldBack = ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  HGDIOBJ oldFont = nullptr;
  if (selected && marked) {
    oldFont = ::SelectObject(dc, ItalicFont(reinterpret_cast<HFONT>(::SendMessageW(listBox_, WM_GETFONT, 0, 0))));
  }
  // The text as the list box holds it (its model's row), one pixel in, as the system's.
  const std::wstring& line = form_.List1.Row(row);
  ::ExtTextOutW(dc, rect.left + 1, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, line.c_str(),
                static_cast<UINT>(line.size()), nullptr);
  if (oldFont) ::SelectObject(dc, oldFont);
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBack);
  if (focusShown) ::DrawFocusRect(dc, &rect);
}

void ListBoxBinding::RowRemoved(int index) {
  PausePainting(index);
  ::SendMessageW(listBox_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxBinding::Cleared() { ::SendMessageW(listBox_, LB_RESETCONTENT, 0, 0); }

// A shown list box paints every row change at once, scroll bar included: renumbering the
// rows after deleting the first of thousands took minutes under Wine. Painting stops at the
// first change of a handler and starts again, once, when it has returned; then only the
// rows from the first one changed down are painted (a capture refreshes one row).
void ListBoxBinding::PausePainting(int row) {
  if (paintingPaused_) {
    firstDirtyRow_ = std::min(firstDirtyRow_, row);
    return;
  }
  if (!form_.List1.Visible()) return;
  paintingPaused_ = ::PostMessageW(listBox_, kPaintAgain, 0, 0) != FALSE;
  if (!paintingPaused_) return;
  ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
  firstDirtyRow_ = row;
  topAtPause_ = static_cast<int>(::SendMessageW(listBox_, LB_GETTOPINDEX, 0, 0));
}

void ListBoxBinding::PaintAgain() {
  if (!paintingPaused_) return;
  paintingPaused_ = false;
  if (!form_.List1.Visible()) return;  // hidden meanwhile: showing it paints it
  ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
  RECT dirty{};
  ::GetClientRect(listBox_, &dirty);
  // Scrolled meanwhile, or changed above the view: every row in view moved.
  RECT first{};
  if (::SendMessageW(listBox_, LB_GETTOPINDEX, 0, 0) == topAtPause_ && firstDirtyRow_ >= topAtPause_ &&
      ::SendMessageW(listBox_, LB_GETITEMRECT, static_cast<WPARAM>(firstDirtyRow_),
                     reinterpret_cast<LPARAM>(&first)) != LB_ERR) {
    dirty.top = std::max(dirty.top, first.top);
  }
  ::InvalidateRect(listBox_, &dirty, TRUE);
}

void ListBoxBinding::SelectionChanged(int index) {
  if (paintingPaused_) {
    // The row losing the highlight and the row taking it are painted with the rest.
    const auto selected = static_cast<int>(::SendMessageW(listBox_, LB_GETCURSEL, 0, 0));
    if (selected >= 0) firstDirtyRow_ = std::min(firstDirtyRow_, selected);
    if (index >= 0) firstDirtyRow_ = std::min(firstDirtyRow_, index);
  }
  // LB_SETCURSEL does not notify the parent, so this does not come back as a user change.
  ::SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBoxBinding::VisibilityChanged(bool visible) {
  paintingPaused_ = false;
  if (visible) {
    ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    ::ShowWindow(listBox_, SW_SHOW);
    ::InvalidateRect(listBox_, nullptr, TRUE);
    // Hidden, the list handed the focus to the window; the keys w and s act in the list
    // only. The focus comes back unless it has gone elsewhere meanwhile.
    if (std::exchange(focusWhileHidden_, false) && ::GetFocus() == ::GetParent(listBox_)) ::SetFocus(listBox_);
  } else {
    focusWhileHidden_ = focusWhileHidden_ || ::GetFocus() == listBox_;
    ::ShowWindow(listBox_, SW_HIDE);
    ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);  // no painting while rows pour in
  }
}

LRESULT CALLBACK ListBoxBinding::ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ListBoxBinding*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) {
    // Unbound under a later subclass: the class's procedure is the list box's own.
    const auto own = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(window, GCLP_WNDPROC));
    return ::CallWindowProcW(own, window, message, wParam, lParam);
  }
  const WNDPROC listBoxProc = self->listBoxProc_;
  Form1& form = self->form_;
  // The form sees each key and button first; the list box then handles it as usual.
  bool formHandled = true;  // a handler of the form ran
  switch (message) {
    case WM_CHAR:
      form.List1_KeyPress(static_cast<int>(wParam));
      break;
    case WM_GETDLGCODE:
      // Enter is the list's own key (it plays), not the dialog's.
      if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN && wParam == VK_RETURN) {
        return ::CallWindowProcW(listBoxProc, window, message, wParam, lParam) | DLGC_WANTMESSAGE;
      }
      formHandled = false;
      break;
    case WM_KEYDOWN:
      form.List1_KeyDown(static_cast<int>(wParam));
      break;
    case WM_DROPFILES:
      form.List1_OLEDragDrop(TakeDroppedFiles(reinterpret_cast<HDROP>(wParam)));
      return 0;
    case WM_LBUTTONDOWN:
      form.List1_MouseDown(1);
      break;
    case WM_RBUTTONDOWN:
      form.List1_MouseDown(2);
      break;
    case WM_MBUTTONDOWN:
      form.List1_MouseDown(4);
      break;
    case WM_CONTEXTMENU:
      // From the keyboard (the menu key, Shift+F10) the position is -1; a right click has
      // opened the menu at its button's press already.
      if (lParam == -1) form.List1_ContextMenu();
      return 0;
    case kPaintAgain:
      self->PaintAgain();
      return 0;
    case kRepaintMarks:
      self->RepaintMarks();
      return 0;
    case WM_NCDESTROY:
      // The list box goes before its binding: hand it its own procedure back first.
      self->Unsubclass();
      formHandled = false;
      break;
    default:
      formHandled = false;
      break;
  }
  // A handler may have ended the program, and the list box with it.
  if (formHandled && !::IsWindow(window)) return 0;
  return ::CallWindowProcW(listBoxProc, window, message, wParam, lParam);
}

}  // namespace reelmark::win32
