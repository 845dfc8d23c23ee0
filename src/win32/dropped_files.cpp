#include "win32/dropped_files.h"

#include "win32/unique_handle.h"

namespace reelmark::win32 {
namespace {

inline void FinishDrop(HDROP drop) noexcept { ::DragFinish(drop); }
using UniqueDrop = UniqueHandle<HandleTraits<HDROP, FinishDrop>>;

constexpr UINT kFileCount = 0xFFFFFFFF;

}  // namespace

std::vector<std::wstring> TakeDroppedFiles(HDROP drop) {
  const UniqueDrop owned(drop);
  std::vector<std::wstring> paths;
  const UINT count = ::DragQueryFileW(drop, kFileCount, nullptr, 0);
  paths.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(static_cast<size_t>(length) + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
    paths.push_back(std::move(path));
  }
  return paths;
}

}  // namespace reelmark::win32
