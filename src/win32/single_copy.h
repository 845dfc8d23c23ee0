// One copy per program folder, on the real system: the first copy holds a named mutex
// for its whole run; a second start finds the first copy's hand-off window, hands it
// the capture and ends.
#pragma once

#include <windows.h>

#include <string>

#include "shell/single_copy.h"
#include "win32/unique_handle.h"

namespace reelmark::win32 {

// The names of the copy that runs in `folder` on this desktop: the folder's long path,
// upper-cased by the file system's own case rules, with the desktop's name.
SingleCopyNames SingleCopyNamesOfFolder(const std::wstring& folder);

// The folder's mutex. Held from the moment it is taken until the object goes, which
// releases it: the first copy keeps this object until its shut-down has written
// everything.
class FolderLock {
 public:
  explicit FolderLock(const std::wstring& name);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return held_; }
  // Waits up to `ms` for the copy holding the lock to let it go, then holds it. A lock
  // left by a copy that ended without letting go counts as let go.
  bool Take(DWORD ms);

 private:
  std::wstring name_;
  UniqueKernelHandle mutex_;
  bool held_ = false;
};

enum class HandOver {
  Taken,     // the first copy captures; this start ends
  NoAnswer,  // the first copy runs but did not answer in time
  Free,      // the first copy ended: this start holds the lock and runs as the first
};

// A second start: asks the first copy to capture, or waits for it to end, within the
// limit. Shows nothing, reads and writes no file.
HandOver HandOverToFirstCopy(FolderLock& lock, const SingleCopyNames& names);

}  // namespace reelmark::win32
