#include "win32/list_box_binding.h"

#include <commctrl.h>

#include "ui/form1.h"
#include "win32/dropped_files.h"

namespace reelmark::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
// While the list is hidden (start-up loads thousands of rows that way), room for rows
// is reserved in steps of this many.
constexpr int kStorageStep = 1024;

}  // namespace

ListBoxBinding::ListBoxBinding(HWND listBox, Form1& form) : listBox_(listBox), form_(form) {
  ::DragAcceptFiles(listBox_, TRUE);  // files dropped on the list arrive as WM_DROPFILES
  ShowAll();
  form_.List1.SetObserver(this);
  ::SetWindowSubclass(listBox_, &ListBoxBinding::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

ListBoxBinding::~ListBoxBinding() {
  form_.List1.SetObserver(nullptr);
  if (::IsWindow(listBox_)) ::RemoveWindowSubclass(listBox_, &ListBoxBinding::SubclassProc, kSubclassId);
}

void ListBoxBinding::ShowAll() {
  Cleared();
  const ListBox& model = form_.List1;
  for (int i = 0; i < model.Count(); ++i) RowInserted(i, model.Row(i));
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
  ::SendMessageW(listBox_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void ListBoxBinding::RowsAppended(int first, std::span<const std::wstring> texts) {
  // A shown list stops painting while the rows go in and is painted once afterwards; a
  // hidden one (start-up) does not paint anyway.
  const bool shown = form_.List1.Visible();
  if (shown) ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
  size_t characters = 0;
  for (const std::wstring& text : texts) characters += text.size() + 1;
  ::SendMessageW(listBox_, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(characters * sizeof(wchar_t)));
  for (const std::wstring& text : texts) {
    ::SendMessageW(listBox_, LB_INSERTSTRING, static_cast<WPARAM>(first++), reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (shown) {
    ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(listBox_, nullptr, TRUE);
  }
}

void ListBoxBinding::RowRemoved(int index) {
  ::SendMessageW(listBox_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBoxBinding::Cleared() { ::SendMessageW(listBox_, LB_RESETCONTENT, 0, 0); }

void ListBoxBinding::SelectionChanged(int index) {
  // LB_SETCURSEL does not notify the parent, so this does not come back as a user change.
  ::SendMessageW(listBox_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBoxBinding::VisibilityChanged(bool visible) {
  if (visible) {
    ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    ::ShowWindow(listBox_, SW_SHOW);
    ::InvalidateRect(listBox_, nullptr, TRUE);
  } else {
    ::ShowWindow(listBox_, SW_HIDE);
    ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);  // no painting while rows pour in
  }
}

LRESULT CALLBACK ListBoxBinding::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self) {
  Form1& form = reinterpret_cast<ListBoxBinding*>(self)->form_;
  // The form sees each key and button first; the list box then handles it as usual.
  switch (message) {
    case WM_CHAR:
      form.List1_KeyPress(static_cast<int>(wParam));
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
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(window, &ListBoxBinding::SubclassProc, kSubclassId);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace reelmark::win32
