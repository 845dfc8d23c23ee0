// Command lines that start the player. A path with a blank in it goes in quotation marks,
// so that it reaches the player as one argument and can never be read as a player option
// or as another program; a path without one goes as it is.
#pragma once

#include <string>
#include <string_view>

namespace reelmark {

// The path in double quotes when it contains a blank, else unchanged.
std::wstring QuotedIfBlank(std::wstring_view path);

}  // namespace reelmark
