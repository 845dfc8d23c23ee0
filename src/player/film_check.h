// Which favourites' films are there: the rule of how they are tested, off the window's
// thread. Each drive root or share is tried once before the films on it, and only the
// films of roots that answer are tested; local drives go first, so a share whose server
// sleeps (Windows waits up to about a minute) never holds up the films on them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "system/platform.h"

namespace reelmark {

struct TestedFilm {
  std::wstring path;
  bool there = false;  // the file-exists test
};

// The films on one root ("X:\" or "\\server\share\"; empty for a path of neither form,
// which is tested as it is).
struct RootTests {
  std::wstring root;
  std::vector<std::wstring> paths;
};

// Whether the drive answers without waiting on a network: a local one (fixed, removable,
// optical, in memory), or a letter with no drive at all, as the system tells it.
bool AnswersQuickly(DriveKind kind);
using QuickDrive = std::function<bool(wchar_t letter)>;

// The films grouped by root, each once, in the order they are tested: the roots that
// answer quickly by letter (with the paths of no root), then the others, which may take a
// minute: network drives, shares, and the floppy letters A: and B:, whose probes take
// seconds on a machine that has the drive.
std::vector<RootTests> PlanFilmTests(std::vector<std::wstring> paths, const QuickDrive& quick);
// Whether the group's root is one that may keep its test waiting.
bool MayBeSlow(const RootTests& tests, const QuickDrive& quick);

// What the tests ask of the system.
class FilmProbe {
 public:
  virtual ~FilmProbe() = default;
  virtual bool RootAnswers(const std::wstring& root) = 0;
  // The attribute bits, or nothing when the path does not exist.
  virtual std::optional<std::uint32_t> Attributes(const std::wstring& path) = 0;
  virtual void Found(TestedFilm film) = 0;
};

// Tests one root's films: the root first; when it does not answer, its films are not
// there, untested.
void TestRootFilms(const RootTests& tests, FilmProbe& probe);

}  // namespace reelmark
