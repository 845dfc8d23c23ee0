// The floor of start-up for Reelmark's own window: the plainest program that shows what
// Reelmark shows once it is up with no favourites. The main window at Reelmark's size and
// style, centred; its twelve controls from the layout table, where they belong at the
// system's DPI, with their captions, in the system's message font (Label3 hidden, the help
// text in Label4 in a font that fits it); the list holding the header row, selected;
// Label2 in its colour; a tray icon with its tip; common controls 6 by the manifest; shown
// and painted before the message loop. No rules, no files, no favourites. The start-up
// measurement times it beside reelmark.exe. It ends when its window is closed.
#include <windows.h>
#include <shellapi.h>

#include "ui/layout.h"
#include "ui/texts.h"
#include "win32/unique_handle.h"

namespace {

using reelmark::ControlKind;
using reelmark::ControlLayout;
using reelmark::TwipsToPixels;
using reelmark::win32::UniqueBrush;
using reelmark::win32::UniqueFont;

constexpr wchar_t kClassName[] = L"SameWindow";
constexpr wchar_t kCaption[] = L"Same window";
// Reelmark's main window: a fixed single border, no sizing, no maximise button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kIconId = 1;

HBRUSH g_label2Brush = nullptr;  // owned by WinMain, which outlives the window

// A window's device context, given back when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The classes and styles of src/win32/form_controls.cpp.
DWORD StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::List:
      return kChild | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    case ControlKind::PushButton:
      return kChild | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::Check:
      return kChild | WS_TABSTOP | BS_3STATE;
    case ControlKind::StaticText:
      break;
  }
  return kChild | SS_LEFT | SS_NOPREFIX;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::List: return L"LISTBOX";
    case ControlKind::PushButton:
    case ControlKind::Check: return L"BUTTON";
    case ControlKind::StaticText: break;
  }
  return L"STATIC";
}

int SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

UniqueFont MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return UniqueFont();
  return UniqueFont(::CreateFontIndirectW(&metrics.lfMessageFont));
}

// The help label was laid out for a 12-pixel font: a taller message font gets the same
// face one pixel smaller at a time until the whole text fits, as Reelmark fits it. Empty
// when the message font fits as it is.
UniqueFont FittedHelpFont(HWND label, HFONT font, int dpi) {
  LOGFONTW face{};
  if (!::GetObjectW(font, sizeof face, &face)) return UniqueFont();
  RECT bounds{};
  ::GetClientRect(label, &bounds);
  const int smallest = -TwipsToPixels(120, dpi);  // 6 points
  const WindowDc dc(label);
  UniqueFont fitted;
  for (int height = face.lfHeight; dc.get() && height < smallest;) {
    RECT needed{0, 0, bounds.right, 0};
    const HGDIOBJ old = ::SelectObject(dc.get(), fitted ? fitted.get() : font);
    ::DrawTextW(dc.get(), reelmark::texts::kHelp, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc.get(), old);
    if (needed.bottom <= bounds.bottom) break;
    face.lfHeight = ++height;  // heights are negative: one pixel smaller
    fitted.reset(::CreateFontIndirectW(&face));
    if (!fitted) break;
  }
  return fitted;
}

void RemoveTrayIcon(HWND window) {
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = window;
  ::Shell_NotifyIconW(NIM_DELETE, &icon);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      if (g_label2Brush && ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == reelmark::kLabel2) {
        ::SetBkColor(reinterpret_cast<HDC>(wParam), reelmark::kLabel2Colour);
        return reinterpret_cast<LRESULT>(g_label2Brush);
      }
      break;
    case WM_ACTIVATE:
      // The focus goes to the list, as in Reelmark, and not to the window itself.
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) ::SetFocus(::GetDlgItem(window, reelmark::kList1));
      return 0;
    case WM_DESTROY:
      RemoveTrayIcon(window);
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Shared icons belong to the system: nothing to destroy.
  const auto icon = [instance](int sizeX, int sizeY) {
    return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, ::GetSystemMetrics(sizeX),
                                           ::GetSystemMetrics(sizeY), LR_SHARED));
  };
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon(SM_CXICON, SM_CYICON);
  windowClass.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassExW(&windowClass)) return 1;

  const int dpi = SystemDpi();
  RECT outer{0, 0, TwipsToPixels(reelmark::kClientWidthTwips, dpi), TwipsToPixels(reelmark::kClientHeightTwips, dpi)};
  ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  // Made where it shows, centred on the screen as Reelmark's start-up puts it.
  const HWND window = ::CreateWindowExW(kExStyle, kClassName, kCaption, kStyle,
                                        (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                        (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                                        nullptr, instance, nullptr);
  if (!window) return 1;
  const UniqueBrush label2Brush(::CreateSolidBrush(reelmark::kLabel2Colour));
  g_label2Brush = label2Brush.get();

  const UniqueFont font = MessageFont();
  HWND help = nullptr;
  for (const ControlLayout& control : reelmark::kLayout) {
    DWORD style = StyleOf(control.kind);
    // Label3 keeps text for the program only; shown, it would cover the end of Label2.
    if (control.id == reelmark::kLabel3) style &= ~static_cast<DWORD>(WS_VISIBLE);
    const wchar_t* caption = control.id == reelmark::kLabel4 ? reelmark::texts::kHelp : control.caption;
    const HWND child = ::CreateWindowExW(0, ClassOf(control.kind), caption, style, TwipsToPixels(control.left, dpi),
                                         TwipsToPixels(control.top, dpi), TwipsToPixels(control.width, dpi),
                                         TwipsToPixels(control.height, dpi), window,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    if (!child) return 1;
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    if (control.id == reelmark::kLabel4) help = child;
  }
  const UniqueFont helpFont = font && help ? FittedHelpFont(help, font.get(), dpi) : UniqueFont();
  if (helpFont) ::SendMessageW(help, WM_SETFONT, reinterpret_cast<WPARAM>(helpFont.get()), FALSE);
  const HWND list = ::GetDlgItem(window, reelmark::kList1);
  ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(reelmark::texts::kHeaderRow));
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);

  NOTIFYICONDATAW tray{};
  tray.cbSize = sizeof tray;
  tray.hWnd = window;
  tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  tray.uCallbackMessage = kTrayMessage;
  tray.hIcon = windowClass.hIconSm;
  lstrcpynW(tray.szTip, reelmark::texts::kCaption, ARRAYSIZE(tray.szTip));
  ::Shell_NotifyIconW(NIM_ADD, &tray);

  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  g_label2Brush = nullptr;
  return static_cast<int>(message.wParam);
}
