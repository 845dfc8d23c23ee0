#include "system/platform.h"

namespace reelmark {

bool IsPlainFile(Platform& platform, const std::wstring& path) { return NamesPlainFile(platform.FileAttributes(path)); }

}  // namespace reelmark
