// One owner for every kind of system handle: the handle is closed by the owner's
// destructor, whatever path leaves the scope. Each kind names its empty value and the
// call that releases it.
#pragma once

#include <windows.h>

#include <cstdint>

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

// A kind of handle: its type, the value that means "none" and the call that releases it.
template <typename T, auto CloseFunction, std::intptr_t EmptyValue = 0>
struct HandleTraits {
  using pointer = T;
  static pointer Empty() noexcept { return reinterpret_cast<pointer>(EmptyValue); }
  static void Close(pointer h) noexcept { CloseFunction(h); }
};

inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void DestroyMenuHandle(HMENU h) noexcept { ::DestroyMenu(h); }
inline void DestroyWindowHandle(HWND h) noexcept { ::DestroyWindow(h); }
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void CloseRegistryKey(HKEY h) noexcept { ::RegCloseKey(h); }
inline void FreeLocalMemory(HLOCAL h) noexcept { ::LocalFree(h); }

// CreateFileW answers INVALID_HANDLE_VALUE (-1), not null, on failure.
using UniqueFile = UniqueHandle<HandleTraits<HANDLE, CloseKernelHandle, -1>>;
// Processes, threads and other kernel objects.
using UniqueKernelHandle = UniqueHandle<HandleTraits<HANDLE, CloseKernelHandle>>;
using UniqueMenu = UniqueHandle<HandleTraits<HMENU, DestroyMenuHandle>>;
using UniqueWindow = UniqueHandle<HandleTraits<HWND, DestroyWindowHandle>>;
using UniqueFont = UniqueHandle<HandleTraits<HFONT, DeleteGdiObject>>;
using UniqueBrush = UniqueHandle<HandleTraits<HBRUSH, DeleteGdiObject>>;
using UniqueRegistryKey = UniqueHandle<HandleTraits<HKEY, CloseRegistryKey>>;
// Text the system allocated for the caller (FORMAT_MESSAGE_ALLOCATE_BUFFER).
using UniqueLocalText = UniqueHandle<HandleTraits<wchar_t*, FreeLocalMemory>>;

}  // namespace reelmark::win32
