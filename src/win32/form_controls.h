// The window's controls as the layout table designs them: standard LISTBOX, BUTTON and
// STATIC windows with the table's control IDs, created in tab order, placed in pixels
// for the window's DPI and drawn in the system's message font.
#pragma once

#include <windows.h>

#include <array>

#include "win32/unique_handle.h"
#include "ui/layout.h"

namespace reelmark::win32 {

class FormControls {
 public:
  // Creates the controls as children of `parent`; false when one could not be created.
  bool Create(HWND parent, int dpi);
  // Places the controls and sets their font for a DPI.
  void Layout(int dpi);
  HWND ById(int id) const;
  // Sizes the help label's font so that all its text shows; run after its text changed.
  void FitHelpText();

 private:
  // The list's rows as tall as the system's list box makes them for the font.
  void FitRowHeight();

  HWND parent_ = nullptr;
  std::array<HWND, kLayout.size()> windows_{};  // children: destroyed with the parent
  UniqueFont font_;
  UniqueFont helpFont_;  // the help label's, when the common font is too tall for it
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
};

// The outer size of the main window whose client area is the designed one, at a DPI.
SIZE MainWindowSize(DWORD style, DWORD exStyle, int dpi);

}  // namespace reelmark::win32
