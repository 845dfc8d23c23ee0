#include "win32/form_controls.h"

#include <string>
#include <utility>

#include "win32/dpi.h"

namespace reelmark::win32 {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

struct ControlClass {
  const wchar_t* className;
  DWORD style;
};

ControlClass ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::List:
      // Rows stay in the order the program puts them in; the box keeps its exact height.
      // It draws its rows through the window (to mark those whose film is not there) and
      // keeps them as text, which other programs and screen readers read as before.
      return {L"LISTBOX", kChild | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS};
    case ControlKind::PushButton:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::Check:
      // Not automatic: the check box model holds the value, greyed (2) included.
      return {L"BUTTON", kChild | WS_TABSTOP | BS_3STATE};
    case ControlKind::StaticText:
      break;
  }
  return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX};
}

}  // namespace

bool FormControls::Create(HWND parent, int dpi) {
  parent_ = parent;
  dpi_ = dpi;
  font_ = CreateMessageFont(dpi);
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  // Each made where it belongs and given its font at once: every move of a window is a
  // trip to the window manager, and start-up waits for them.
  for (size_t i = 0; i < kLayout.size(); ++i) {
    const ControlLayout& control = kLayout[i];
    ControlClass kind = ClassFor(control.kind);
    // Label3 only keeps text for the program; shown, it would cover the end of Label2.
    if (control.id == kLabel3) kind.style &= ~static_cast<DWORD>(WS_VISIBLE);
    windows_[i] = ::CreateWindowExW(0, kind.className, control.caption, kind.style, TwipsToPixels(control.left, dpi),
                                    TwipsToPixels(control.top, dpi), TwipsToPixels(control.width, dpi),
                                    TwipsToPixels(control.height, dpi), parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (!windows_[i]) return false;
    ::SendMessageW(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  FitRowHeight();
  FitHelpText();
  return true;
}

void FormControls::FitRowHeight() {
  // A list box that draws its rows through its window keeps the height it had when it was
  // made; the system's own takes its font's height, which this gives it.
  const HWND list = ById(kList1);
  const HDC dc = list ? ::GetDC(list) : nullptr;
  if (!dc) return;
  const HGDIOBJ old = ::SelectObject(dc, font_.get());
  TEXTMETRICW metrics{};
  const bool measured = ::GetTextMetricsW(dc, &metrics) != FALSE;
  ::SelectObject(dc, old);
  ::ReleaseDC(list, dc);
  if (measured && metrics.tmHeight > 0) ::SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight);
}

void FormControls::Layout(int dpi) {
  UniqueFont font = CreateMessageFont(dpi);
  for (size_t i = 0; i < kLayout.size(); ++i) {
    const ControlLayout& control = kLayout[i];
    ::SetWindowPos(windows_[i], nullptr, TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi),
                   TwipsToPixels(control.width, dpi), TwipsToPixels(control.height, dpi),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(windows_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  }
  font_ = std::move(font);  // the old font goes once no control uses it
  dpi_ = dpi;
  FitRowHeight();
  FitHelpText();
  ::InvalidateRect(parent_, nullptr, TRUE);
}

void FormControls::FitHelpText() {
  // The help label was laid out for a 12-pixel font; the system's message font can be
  // taller and would cut its last lines off. The label then gets the same face, smaller.
  const HWND label = ById(kLabel4);
  LOGFONTW face{};
  if (!label || !font_ || !::GetObjectW(font_.get(), sizeof face, &face)) return;
  const int length = ::GetWindowTextLengthW(label);
  if (length == 0 && !helpFont_) return;  // nothing to fit yet: it has the common font
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(label, text.data(), length + 1)));
  RECT bounds{};
  ::GetClientRect(label, &bounds);
  const int smallest = -TwipsToPixels(120, dpi_);  // 6 points
  UniqueFont fitted;
  const HDC dc = ::GetDC(label);
  for (int height = face.lfHeight; dc && height < smallest;) {
    RECT needed{0, 0, bounds.right, 0};
    const HGDIOBJ old = ::SelectObject(dc, fitted ? fitted.get() : font_.get());
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, old);
    if (needed.bottom <= bounds.bottom) break;
    face.lfHeight = ++height;  // heights are negative: one pixel smaller
    fitted.reset(::CreateFontIndirectW(&face));
    if (!fitted) break;
  }
  if (dc) ::ReleaseDC(label, dc);
  ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(fitted ? fitted.get() : font_.get()), TRUE);
  helpFont_ = std::move(fitted);
}

HWND FormControls::ById(int id) const {
  for (size_t i = 0; i < kLayout.size(); ++i) {
    if (kLayout[i].id == id) return windows_[i];
  }
  return nullptr;
}

SIZE MainWindowSize(DWORD style, DWORD exStyle, int dpi) {
  RECT rect{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
  AdjustWindowRectForDpi(rect, style, exStyle, dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace reelmark::win32
