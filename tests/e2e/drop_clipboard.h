// Files dropped on another program's window as the shell drops them, and the clipboard
// as other programs read and fill it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A DROPFILES block with the wide paths, written into the memory of the process `pid`,
// and WM_DROPFILES posted to `target` with its address, as the shell hands a drop over.
// False when the block could not be placed.
bool DropFiles(DWORD pid, HWND target, const std::vector<std::wstring>& paths);

// The clipboard's text up to its end mark; nothing when the format is not there.
std::optional<std::wstring> ClipboardUnicodeText();
// The same for the ANSI text its owner put there. The system makes ANSI text from the
// Unicode text by itself, in the code page of the clipboard's locale: the locale is made
// English (code page 1252) first, so that a text made that way loses its Chinese
// characters, while one the owner put there keeps its bytes.
std::optional<std::string> ClipboardOwnAnsiBytes();
// Puts the text on the clipboard in both formats, owned by a window of the driver.
bool PutClipboardText(const std::wstring& text);

}  // namespace e2e
