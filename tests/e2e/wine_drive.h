// A drive letter for a folder, under Wine, as its configuration tool gives one: the
// folder then shows as a fixed drive to every program, the way an external disk gets a
// letter when it is plugged in. The letter goes again with the object.
#pragma once

#include <string>

namespace e2e {

class WineDrive {
 public:
  // The highest free letter from Y: down; Letter() is 0 when none could be given.
  explicit WineDrive(const std::wstring& folder);
  ~WineDrive();
  WineDrive(const WineDrive&) = delete;
  WineDrive& operator=(const WineDrive&) = delete;

  wchar_t Letter() const { return letter_; }

 private:
  wchar_t letter_ = 0;
};

}  // namespace e2e
