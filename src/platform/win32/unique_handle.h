// One owner for every kind of system handle: the handle is closed by the owner's
// destructor, whatever path leaves the scope. Each kind names its empty value and the
// call that releases it.
#pragma once

#include <windows.h>

namespace reelmark::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using pointer = typename Traits::pointer;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(pointer handle) noexcept : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  pointer get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }
  pointer release() noexcept {
    const pointer handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }
  void reset(pointer handle = Traits::Empty()) noexcept {
    if (handle_ != Traits::Empty()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  pointer handle_ = Traits::Empty();
};

// Files: CreateFileW answers INVALID_HANDLE_VALUE, not null, on failure.
struct FileTraits {
  using pointer = HANDLE;
  static pointer Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(pointer h) noexcept { ::CloseHandle(h); }
};
// Processes, threads and other kernel objects.
struct KernelTraits {
  using pointer = HANDLE;
  static pointer Empty() noexcept { return nullptr; }
  static void Close(pointer h) noexcept { ::CloseHandle(h); }
};
struct MenuTraits {
  using pointer = HMENU;
  static pointer Empty() noexcept { return nullptr; }
  static void Close(pointer h) noexcept { ::DestroyMenu(h); }
};
struct WindowTraits {
  using pointer = HWND;
  static pointer Empty() noexcept { return nullptr; }
  static void Close(pointer h) noexcept { ::DestroyWindow(h); }
};
struct IconTraits {
  using pointer = HICON;
  static pointer Empty() noexcept { return nullptr; }
  static void Close(pointer h) noexcept { ::DestroyIcon(h); }
};
template <typename T>
struct GdiTraits {
  using pointer = T;
  static pointer Empty() noexcept { return nullptr; }
  static void Close(pointer h) noexcept { ::DeleteObject(h); }
};

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<KernelTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueFont = UniqueHandle<GdiTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiTraits<HBRUSH>>;

}  // namespace reelmark::win32
