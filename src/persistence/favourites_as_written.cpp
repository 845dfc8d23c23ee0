// The favourites file in the one form the program writes it, read in a single pass. Every
// value comes out as the INI engine would give it; any byte that could make the engine
// read the file otherwise (other lines, other spellings, blank lines, quotes, a line end
// other than CR LF, more sections) makes this reader give up, and the engine reads it.
#include <string>

#include "base/path.h"
#include "base/text.h"
#include "persistence/favourites.h"

namespace reelmark {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

class Lines {
 public:
  explicit Lines(std::string_view bytes) : rest_(bytes) {}
  bool AtEnd() const { return rest_.empty(); }

  // The next line when it is exactly `expected`.
  bool Take(std::string_view expected) {
    std::string_view line;
    return Next(line) && line == expected;
  }

  // The value of the next line when it is `key=value`, blanks around the value removed,
  // and nothing in it that the engine would read differently.
  std::optional<std::wstring> Value(std::string_view key) {
    std::string_view line;
    if (!Next(line) || line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != '=') {
      return std::nullopt;
    }
    std::string_view value = line.substr(key.size() + 1);
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (quoted || value.find('\0') != std::string_view::npos) return std::nullopt;
    return std::wstring(TrimSpaces(FromAnsi(value)));
  }

 private:
  // A line ended by CR LF, with no other CR or LF in it.
  bool Next(std::string_view& line) {
    const size_t end = rest_.find_first_of("\r\n");
    if (end == std::string_view::npos || rest_.compare(end, 2, "\r\n") != 0) return false;
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 2);
    return true;
  }

  std::string_view rest_;
};

}  // namespace

std::optional<FavouritesFile> FavouritesFile::ParseAsWritten(std::string_view bytes) {
  Lines lines(bytes);
  FavouritesFile file;
  file.exists = true;
  if (!lines.Take("[options]")) return std::nullopt;
  for (size_t i = 0; i < kOptionKeys.size(); ++i) {
    std::optional<std::wstring> value = lines.Value(ToAnsi(kOptionKeys[i]));
    if (!value) return std::nullopt;
    file.options[i] = std::move(*value);
  }
  std::string header;
  for (int k = 1; !lines.AtEnd(); ++k) {
    if (k > kMaxFavourites) return std::nullopt;
    header = '[';
    header += std::to_string(k);
    header += "fav]";
    if (!lines.Take(header)) return std::nullopt;
    std::optional<std::wstring> time = lines.Value("time");
    std::optional<std::wstring> path = lines.Value("Filename");
    // A section without a film ends the favourites: the engine decides what follows.
    if (!time || !path || path->empty()) return std::nullopt;
    file.favourites.push_back({std::move(*time), std::move(*path)});
  }
  return file;
}

}  // namespace reelmark
