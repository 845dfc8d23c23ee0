#include "shell/single_copy.h"

namespace reelmark {
namespace {

// The folder as a plain path: no "\\?\" prefix and no trailing backslash.
std::wstring PlainFolder(std::wstring_view folder) {
  constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
  constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
  std::wstring plain;
  if (folder.starts_with(kLongUncPrefix)) {
    plain = L"\\\\";
    folder.remove_prefix(kLongUncPrefix.size());
  } else if (folder.starts_with(kLongPrefix)) {
    folder.remove_prefix(kLongPrefix.size());
  }
  while (folder.ends_with(L'\\')) folder.remove_suffix(1);
  return plain.append(folder);
}

}  // namespace

bool MayHoldShortName(std::wstring_view path) { return path.find(L'~') != std::wstring_view::npos; }

std::wstring HexHash(std::wstring_view text) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const wchar_t unit : text) {
    const auto code = static_cast<std::uint16_t>(unit);
    for (const std::uint8_t byte : {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8)}) {
      hash ^= byte;
      hash *= 0x100000001B3ull;
    }
  }
  std::wstring hex(16, L'0');
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[static_cast<size_t>(i)] = L"0123456789ABCDEF"[hash & 0xF];
  return hex;
}

SingleCopyNames SingleCopyNamesFor(std::wstring_view folder, std::wstring_view desktop) {
  // A file name cannot hold "|", so no folder and desktop pair reads as another.
  std::wstring identity = PlainFolder(folder);
  identity += L'|';
  identity += desktop;
  const std::wstring hash = HexHash(identity);
  // Kernel object names may hold no backslash after the namespace's own.
  return {L"Local\\Reelmark-" + hash, L"ReelmarkHandOff-" + hash};
}

}  // namespace reelmark
