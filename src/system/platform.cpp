#include "system/platform.h"

namespace reelmark {

bool IsPlainFile(Platform& platform, const std::wstring& path) {
  const auto attributes = platform.FileAttributes(path);
  return attributes && (*attributes & (kAttributeDirectory | kAttributeHidden | kAttributeSystem)) == 0;
}

}  // namespace reelmark
