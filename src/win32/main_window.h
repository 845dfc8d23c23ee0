// The main window and its binding to the form: it creates the window and its controls,
// mirrors every model of the form into them and turns the user's input into the form's
// handler calls. It decides nothing itself.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/focus_keeper.h"
#include "win32/form_controls.h"
#include "win32/list_box_binding.h"
#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace reelmark {
class Form1;
}

namespace reelmark::win32 {

class MainWindow {
 public:
  MainWindow(Form1& form, Win32Platform& platform);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window hidden, at its designed size, with its controls, binds it to the
  // form and tells the platform about it. False when the window could not be made.
  bool Create(HINSTANCE instance);
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code, HWND control);
  LRESULT OnColourStatic(HDC dc, HWND control);
  void OnDpiChanged(int dpi, const RECT& suggested);

  void Bind();
  void Unbind();
  void ShowCaption(int id, const std::wstring& caption);
  void ShowCheck(int index);
  void ClickCheck(int index);
  // The window as it is, into the form's window model.
  void ReadWindowState();
  // The form's window model, onto the window.
  void ApplyWindowModel();
  // True when the minimised window would be restored maximised.
  bool RestoresMaximised() const;
  // From minimised or maximised to the normal state, never stopping at maximised.
  void RestoreToNormal();

  Form1& form_;
  Win32Platform& platform_;
  HWND window_ = nullptr;
  FormControls controls_;
  std::unique_ptr<ListBoxBinding> list_;
  UniqueBrush label2Brush_;
  FocusKeeper focus_;
  bool bound_ = false;
  bool passingThroughMaximised_ = false;  // RestoreToNormal's first step: not reported
};

}  // namespace reelmark::win32
