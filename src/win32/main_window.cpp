#include "win32/main_window.h"

#include <commctrl.h>
#include <dbt.h>

#include <algorithm>

#include "win32/dpi.h"
#include "resource_ids.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark::win32 {
namespace {

// A fixed single border: no sizing and no maximise button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

struct CaptionBinding {
  Captioned Form1::*member;
  int id;
};
constexpr CaptionBinding kCaptions[] = {
    {&Form1::Label1, kLabel1},     {&Form1::Label2, kLabel2},     {&Form1::Label3, kLabel3},
    {&Form1::Label4, kLabel4},     {&Form1::Command1, kCommand1}, {&Form1::Command2, kCommand2},
    {&Form1::Command3, kCommand3}, {&Form1::Command4, kCommand4},
};

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = sizeof(LONG_PTR);  // the binding; the window's user data stays free
  windowClass.hInstance = instance;
  // Shared icons belong to the system: nothing to destroy.
  windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_REELMARK), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                                      LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_REELMARK), IMAGE_ICON,
                                                        ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = texts::kWindowClass;
  return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow::MainWindow(Form1& form, Win32Platform& platform) : form_(form), platform_(platform) {}

MainWindow::~MainWindow() {
  Unbind();
  if (window_) ::DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
  if (!RegisterWindowClass(instance, &MainWindow::WindowProc)) return false;
  // Made at its size for the system's DPI; the size depends on the DPI of the monitor the
  // window lands on, so a monitor with a DPI of its own has it sized again.
  const int systemDpi = SystemDpi();
  const SIZE planned = MainWindowSize(kStyle, kExStyle, systemDpi);
  if (!::CreateWindowExW(kExStyle, texts::kWindowClass, texts::kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         planned.cx, planned.cy, nullptr, nullptr, instance, this)) {
    return false;
  }
  const int dpi = WindowDpi(window_);
  if (dpi != systemDpi) {
    const SIZE size = MainWindowSize(kStyle, kExStyle, dpi);
    ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  label2Brush_.reset(::CreateSolidBrush(kLabel2Colour));
  if (!controls_.Create(window_, dpi)) return false;
  platform_.SetMainWindow(window_);
  Bind();
  return true;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, 0));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    self->Unbind();
    self->platform_.SetMainWindow(nullptr);
    self->window_ = nullptr;
    ::SetWindowLongPtrW(window, 0, 0);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (bound_) OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      if (const LRESULT brush = OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_SIZE:
      if (bound_ && !passingThroughMaximised_) {
        ReadWindowState();
        form_.Form_Resize();
      }
      return 0;
    case WM_MOVE:
      if (bound_ && !passingThroughMaximised_) ReadWindowState();
      return 0;
    case WM_DPICHANGED:
      if (bound_) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SHOWWINDOW:
      // Only a ShowWindow call changes the window's own visibility (lParam 0); an owner
      // being minimised or restored does not.
      if (bound_ && lParam == 0) form_.window.visible = wParam != 0;
      break;
    case WM_ACTIVATE:
      // As in a dialog box: the focus stays with the controls, List1 first, never on the
      // window itself (the keys w and s act in the list). Minimised, nothing takes it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        focus_.Remember(window_);
      } else if (!HIWORD(wParam)) {
        focus_.Restore(window_, controls_.ById(kList1));
      }
      return 0;
    case WM_SETFOCUS:
      focus_.Restore(window_, controls_.ById(kList1));
      return 0;
    case WM_TIMER:
      // One shot each: the form starts it again when it wants another.
      if (wParam == TimerId(FormTimer::Recovery) || wParam == TimerId(FormTimer::Volumes)) {
        ::KillTimer(window_, wParam);
        if (!bound_) return 0;
        wParam == TimerId(FormTimer::Recovery) ? form_.RecoveryTimer_Timer() : form_.VolumeTimer_Timer();
        return 0;
      }
      break;
    case kFormTimerEventMessage:
      if (bound_) form_.RecoveryTimer_Timer();
      return 0;
    case kRecoveryWrittenMessage:
      if (bound_) form_.RecoveryWritten(static_cast<std::uint32_t>(wParam), lParam != 0);
      return 0;
    case kFilmsTestedMessage:
      if (bound_) form_.FilmsTested();
      return 0;
    case WM_DRAWITEM:
      if (bound_ && wParam == kList1) {
        list_->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_DEVICECHANGE:
      // Broadcast to every top-level window, shown or not; a volume is a drive letter.
      if (bound_ && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && lParam &&
          reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)->dbch_devicetype == DBT_DEVTYP_VOLUME) {
        form_.VolumesChanged(reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam)->dbcv_unitmask);
      }
      return TRUE;
    case WM_POWERBROADCAST:
      if (bound_ && wParam == PBT_APMRESUMEAUTOMATIC) form_.SystemResumed();
      return TRUE;
    case WM_QUERYENDSESSION:
      return TRUE;  // never hold the session up; the saving waits until it really ends
    case WM_ENDSESSION:
      // The session really ends (log-off or shut-down alike). The process may be ended
      // any time after this returns, so shut-down runs to its end here, asking nothing.
      // Sent to every top-level window: the window hidden in the tray gets it as well.
      if (bound_ && wParam) form_.EndSession();
      return 0;
    case WM_CLOSE:
      if (bound_) {
        form_.Unload();  // the unload handler, which then has the window destroyed
        return 0;
      }
      break;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code, HWND control) {
  if (!control) {
    // A menu item; IDOK and IDCANCEL come from the dialog keys Enter and Esc instead.
    if (code == 0 && id != IDOK && id != IDCANCEL) form_.MenuCommand(id);
    return;
  }
  if (id == kList1) {
    if (code == LBN_SELCHANGE) list_->OnSelectionChange();
    if (code == LBN_DBLCLK) form_.List1_DblClick();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kCommand1: form_.Command1_Click(); return;
    case kCommand2: form_.Command2_Click(); return;
    case kCommand3: form_.Command3_Click(); return;
    case kCommand4: form_.Command4_Click(); return;
    default: break;
  }
  const int index = id - kCheck1Base;
  if (index >= 0 && index < static_cast<int>(form_.Check1.size())) ClickCheck(index);
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  // The controls and the window's one size follow the new DPI; the window stays where
  // the system suggests, on the monitor it was moved to.
  controls_.Layout(dpi);
  const SIZE size = MainWindowSize(kStyle, kExStyle, dpi);
  form_.Form_DpiChanged(suggested.left, suggested.top, size.cx, size.cy);
}

LRESULT MainWindow::OnColourStatic(HDC dc, HWND control) {
  if (control != controls_.ById(kLabel2) || !label2Brush_) return 0;
  ::SetBkColor(dc, kLabel2Colour);
  return reinterpret_cast<LRESULT>(label2Brush_.get());
}

void MainWindow::Bind() {
  for (const CaptionBinding& binding : kCaptions) {
    Captioned& model = form_.*binding.member;
    model.SetChangeHandler([this, &model, id = binding.id] { ShowCaption(id, model.Caption()); });
    ShowCaption(binding.id, model.Caption());
  }
  for (int i = 0; i < static_cast<int>(form_.Check1.size()); ++i) {
    form_.Check1[static_cast<size_t>(i)].SetChangeHandler([this, i] { ShowCheck(i); });
    ShowCheck(i);
  }
  list_ = std::make_unique<ListBoxBinding>(controls_.ById(kList1), form_);
  ReadWindowState();
  form_.window.visible = ::IsWindowVisible(window_) != FALSE;
  form_.SetWindowChangeHandler([this] { ApplyWindowModel(); });
  bound_ = true;
}

void MainWindow::Unbind() {
  if (!bound_) return;
  bound_ = false;
  for (const CaptionBinding& binding : kCaptions) (form_.*binding.member).SetChangeHandler(nullptr);
  for (CheckBox& box : form_.Check1) box.SetChangeHandler(nullptr);
  list_.reset();
  form_.SetWindowChangeHandler(nullptr);
}

void MainWindow::ShowCaption(int id, const std::wstring& caption) {
  const HWND control = controls_.ById(id);
  // A control already showing the text is left alone: setting it repaints the control,
  // and start-up binds captions the controls were made with.
  const int length = ::GetWindowTextLengthW(control);
  if (length == static_cast<int>(caption.size())) {
    std::wstring shown(caption.size() + 1, L'\0');
    shown.resize(static_cast<size_t>(std::max(0, ::GetWindowTextW(control, shown.data(), length + 1))));
    if (shown == caption) return;
  }
  ::SetWindowTextW(control, caption.c_str());
  if (id == kLabel4) controls_.FitHelpText();
}

void MainWindow::ShowCheck(int index) {
  const int value = form_.Check1[static_cast<size_t>(index)].Value();
  const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  ::SendMessageW(controls_.ById(kCheck1Base + index), BM_SETCHECK, state, 0);
}

void MainWindow::ClickCheck(int index) {
  form_.Check1[static_cast<size_t>(index)].Click();
  form_.Check1_Click(index);
}

void MainWindow::ReadWindowState() {
  WindowModel& model = form_.window;
  if (::IsIconic(window_)) {
    model.state = WindowShowState::Minimized;
    return;  // a minimised window's rectangle is not its own
  }
  model.state = ::IsZoomed(window_) ? WindowShowState::Maximized : WindowShowState::Normal;
  RECT rect{};
  if (::GetWindowRect(window_, &rect)) {
    model.left = rect.left;
    model.top = rect.top;
    model.width = rect.right - rect.left;
    model.height = rect.bottom - rect.top;
  }
}

bool MainWindow::RestoresMaximised() const {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  return ::IsIconic(window_) && ::GetWindowPlacement(window_, &placement) &&
         (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
}

void MainWindow::RestoreToNormal() {
  // A window minimised from maximised comes back maximised, whichever command restores
  // it, and a second restore makes it normal. The maximised state between the two is our
  // own doing, not a maximise for the form to answer (it would hide the window again).
  if (RestoresMaximised()) {
    passingThroughMaximised_ = true;
    ::ShowWindow(window_, SW_RESTORE);
    passingThroughMaximised_ = false;
    if (!window_) return;
  }
  ::ShowWindow(window_, SW_RESTORE);
}

void MainWindow::ApplyWindowModel() {
  // Each step may run the resize handler again, nested, which changes the model: every
  // step reads the model afresh.
  const WindowModel& model = form_.window;
  const bool iconic = ::IsIconic(window_) != FALSE;
  const bool zoomed = ::IsZoomed(window_) != FALSE;
  if (model.visible) {
    if (model.state == WindowShowState::Minimized && !iconic) {
      ::ShowWindow(window_, SW_MINIMIZE);
    } else if (model.state == WindowShowState::Maximized && !zoomed) {
      ::ShowWindow(window_, SW_MAXIMIZE);
    } else if (model.state == WindowShowState::Normal && (iconic || zoomed)) {
      RestoreToNormal();
    }
  }
  if (!window_) return;  // a handler ended the program
  RECT rect{};
  if (model.state == WindowShowState::Normal && !::IsIconic(window_) && !::IsZoomed(window_) &&
      ::GetWindowRect(window_, &rect) &&
      (rect.left != model.left || rect.top != model.top || rect.right - rect.left != model.width ||
       rect.bottom - rect.top != model.height)) {
    ::SetWindowPos(window_, nullptr, model.left, model.top, model.width, model.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (window_ && model.visible != (::IsWindowVisible(window_) != FALSE)) {
    ::ShowWindow(window_, model.visible ? SW_SHOW : SW_HIDE);
  }
}

}  // namespace reelmark::win32
