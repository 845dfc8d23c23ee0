#include "drop_clipboard.h"

#include <shlobj.h>

#include <cstring>

#include "desktop.h"
#include "text.h"
#include "win32/unique_handle.h"

namespace e2e {
namespace {

using reelmark::win32::UniqueKernelHandle;
using reelmark::win32::UniqueWindow;

// Another program may hold the clipboard for a moment.
bool OpenClipboardSoon(HWND owner) {
  return WaitUntil([owner] { return OpenClipboard(owner) != FALSE; });
}

std::optional<std::string> ClipboardBytes(UINT format) {
  if (!OpenClipboardSoon(nullptr)) return std::nullopt;
  std::optional<std::string> bytes;
  if (HANDLE data = GetClipboardData(format)) {
    if (const void* locked = GlobalLock(data)) {
      bytes.emplace(static_cast<const char*>(locked), GlobalSize(data));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

// A window of the driver's own that is never shown, to open the clipboard with.
UniqueWindow MessageWindow() {
  return UniqueWindow(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

bool Offer(UINT format, const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  void* target = block ? GlobalLock(block) : nullptr;
  if (!target) {
    if (block) GlobalFree(block);
    return false;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(block);
  if (SetClipboardData(format, block)) return true;
  GlobalFree(block);
  return false;
}

}  // namespace

bool DropFiles(DWORD pid, HWND target, const std::vector<std::wstring>& paths) {
  std::wstring list;
  for (const std::wstring& path : paths) list.append(path).push_back(L'\0');
  list.push_back(L'\0');
  std::string block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t), '\0');
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.pt = {20, 20};
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof header);
  std::memcpy(block.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));

  const UniqueKernelHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) return false;
  // The program releases the block with DragFinish; what it cannot release stays until it ends.
  void* remote = VirtualAllocEx(process.get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote) return false;
  SIZE_T written = 0;
  if (!WriteProcessMemory(process.get(), remote, block.data(), block.size(), &written) || written != block.size()) {
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return false;
  }
  return PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

std::optional<std::wstring> ClipboardUnicodeText() {
  const auto bytes = ClipboardBytes(CF_UNICODETEXT);
  if (!bytes) return std::nullopt;
  std::wstring text(bytes->size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes->data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

std::optional<std::string> ClipboardOwnAnsiBytes() {
  {
    const UniqueWindow window = MessageWindow();
    if (!window || !OpenClipboardSoon(window.get())) return std::nullopt;
    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    const bool relabelled = Offer(CF_LOCALE, &english, sizeof english);
    CloseClipboard();
    if (!relabelled) return std::nullopt;
  }
  auto bytes = ClipboardBytes(CF_TEXT);
  if (bytes) bytes->resize(std::strlen(bytes->c_str()));
  return bytes;
}

bool PutClipboardText(const std::wstring& text) {
  // Emptied without an owner window, the clipboard would take no data.
  const UniqueWindow owner = MessageWindow();
  if (!owner || !OpenClipboardSoon(owner.get())) return false;
  const std::string ansi = ToCp936(text);
  const bool put = EmptyClipboard() && Offer(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)) &&
                   Offer(CF_TEXT, ansi.c_str(), ansi.size() + 1);
  CloseClipboard();
  return put;
}

}  // namespace e2e
