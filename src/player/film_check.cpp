#include "player/film_check.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "base/path.h"
#include "system/platform.h"

namespace reelmark {
namespace {

// "X:\" for a drive path, "\\server\share\" for a share's, empty otherwise.
std::wstring RootOf(const std::wstring& path) {
  if (const int drive = DriveIndexOf(path); drive >= 0) return {static_cast<wchar_t>(L'A' + drive), L':', L'\\'};
  if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\') {
    const size_t server = path.find(L'\\', 2);
    const size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
    if (server != std::wstring::npos && server > 2 && share != std::wstring::npos && share > server + 1) {
      return path.substr(0, share + 1);
    }
  }
  return {};
}

bool IsQuickRoot(const std::wstring& root, const QuickDrive& quick) {
  if (root.empty()) return true;
  if (root[0] == L'\\') return false;
  return root[0] != L'A' && root[0] != L'B' && quick(root[0]);
}

}  // namespace

bool AnswersQuickly(DriveKind kind) { return kind != DriveKind::Network && kind != DriveKind::Unknown; }

std::vector<RootTests> PlanFilmTests(std::vector<std::wstring> paths, const QuickDrive& quick) {
  // Roots keep the order they first came in: a share's name is compared as written.
  std::vector<RootTests> plan;
  std::map<std::wstring, size_t> groupOf;
  std::unordered_set<std::wstring> seen;
  for (std::wstring& path : paths) {
    if (!seen.insert(path).second) continue;
    std::wstring root = RootOf(path);
    const auto [at, added] = groupOf.try_emplace(root, plan.size());
    if (added) plan.push_back({std::move(root), {}});
    plan[at->second].paths.push_back(std::move(path));
  }
  std::stable_sort(plan.begin(), plan.end(), [&quick](const RootTests& a, const RootTests& b) {
    const bool aQuick = IsQuickRoot(a.root, quick), bQuick = IsQuickRoot(b.root, quick);
    if (aQuick != bQuick) return aQuick;
    return aQuick && a.root < b.root;
  });
  return plan;
}

bool MayBeSlow(const RootTests& tests, const QuickDrive& quick) { return !IsQuickRoot(tests.root, quick); }

void TestRootFilms(const RootTests& tests, FilmProbe& probe) {
  const bool answers = tests.root.empty() || probe.RootAnswers(tests.root);
  for (const std::wstring& path : tests.paths) {
    // The file-exists test of a replay: a folder, a hidden or a system file is none.
    probe.Found({path, answers && NamesPlainFile(probe.Attributes(path))});
  }
}

}  // namespace reelmark
