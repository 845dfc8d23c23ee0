// The clipboard half of the Win32 platform: text offered in both text formats, so that
// programs that read only ANSI text get it in the system's code page.
#include <cstring>

#include "base/text.h"
#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

inline void FreeGlobal(HGLOBAL h) noexcept { ::GlobalFree(h); }
using UniqueGlobal = UniqueHandle<HandleTraits<HGLOBAL, FreeGlobal>>;

// Another program (a clipboard viewer, say) may hold the clipboard for a moment.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

// A movable memory block with a copy of the bytes, as the clipboard takes it.
UniqueGlobal GlobalCopy(const void* data, size_t size) {
  UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
  void* target = block ? ::GlobalLock(block.get()) : nullptr;
  if (!target) return {};
  std::memcpy(target, data, size);
  ::GlobalUnlock(block.get());
  return block;
}

void Offer(UINT format, UniqueGlobal block) {
  // Once the clipboard has taken the block it is the clipboard's to free.
  if (block && ::SetClipboardData(format, block.get())) block.release();
}

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      if (attempt > 0) ::Sleep(kOpenRetryMs);
      open_ = ::OpenClipboard(owner) != FALSE;
    }
  }
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

void Win32Platform::PutTextOnClipboard(const std::wstring& text) {
  const std::string ansi = ToAnsi(text);
  UniqueGlobal wide = GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  UniqueGlobal narrow = GlobalCopy(ansi.c_str(), ansi.size() + 1);
  // The window must own the clipboard: emptied without an owner, it takes no data.
  const OpenClipboardScope clipboard(mainWindow_);
  if (!clipboard || !::EmptyClipboard()) return;
  Offer(CF_UNICODETEXT, std::move(wide));
  Offer(CF_TEXT, std::move(narrow));
}

}  // namespace reelmark::win32
