#include "win32/film_tester.h"

#include <utility>

#include "win32/win32_platform.h"

namespace reelmark::win32 {
namespace {

// Answers go to the window this many at a time, and at the end of each root.
constexpr size_t kFoundPerMessage = 256;

bool Quick(wchar_t letter) { return AnswersQuickly(KindOfDriveLetter(letter)); }

#if defined(REELMARK_TEST_HOOKS)
// Test builds only: the root named by REELMARK_DEAD_ROOT never answers, as a share whose
// server sleeps, without a network address being tried.
bool DeadForTests(const std::wstring& root) {
  static const std::wstring dead = [] {
    wchar_t name[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"REELMARK_DEAD_ROOT", name, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(name, length) : std::wstring();
  }();
  return !dead.empty() && root == dead;
}
#endif

}  // namespace

class FilmTester::Probe final : public FilmProbe {
 public:
  explicit Probe(State& state) : state_(state) {}
  bool RootAnswers(const std::wstring& root) override {
#if defined(REELMARK_TEST_HOOKS)
    if (DeadForTests(root)) ::Sleep(INFINITE);
#endif
    return ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::optional<std::uint32_t> Attributes(const std::wstring& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
  }
  void Found(TestedFilm film) override {
    found_.push_back(std::move(film));
    if (found_.size() >= kFoundPerMessage) Tell();
  }
  void Tell() {
    if (found_.empty()) return;
    HWND notify = nullptr;
    {
      const Locked locked(state_.lock);
      if (state_.found.empty()) {
        state_.found = std::move(found_);
      } else {
        state_.found.insert(state_.found.end(), std::make_move_iterator(found_.begin()),
                            std::make_move_iterator(found_.end()));
      }
      if (!state_.told) notify = state_.notify;
      state_.told = true;
    }
    found_.clear();
    if (notify) ::PostMessageW(notify, kFilmsTestedMessage, 0, 0);
  }

 private:
  State& state_;
  std::vector<TestedFilm> found_;
};

void FilmTester::Test(std::vector<std::wstring> paths, bool everything, HWND notify) {
  State& state = thread_.state();
  {
    const Locked locked(state.lock);
    state.notify = notify;
    if (everything) {
      state.waiting = std::move(paths);
      state.renewed = true;
    } else {
      state.waiting.insert(state.waiting.end(), std::make_move_iterator(paths.begin()),
                           std::make_move_iterator(paths.end()));
    }
  }
  thread_.Wake();
  thread_.Start();
}

std::vector<TestedFilm> FilmTester::Take() {
  State& state = thread_.state();
  const Locked locked(state.lock);
  state.told = false;
  return std::exchange(state.found, {});
}

void FilmTester::Run(State& state) {
  // A drive without its disc answers "not ready" at once, instead of the system's box.
  ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, nullptr);
  Probe probe(state);
  for (;;) {
    std::vector<std::wstring> paths;
    {
      const Locked locked(state.lock);
      state.WaitUntil([&state] { return !state.waiting.empty(); });
      if (state.stopping) return;
      paths.swap(state.waiting);
      state.renewed = false;
    }
    const std::vector<RootTests> plan = PlanFilmTests(std::move(paths), &Quick);
    for (size_t i = 0; i < plan.size(); ++i) {
      {
        const Locked locked(state.lock);
        if (state.stopping) return;
        if (state.renewed) break;  // the films handed anew hold these
        // Films handed meanwhile may lie on roots that answer at once: planned with the rest
        // before a root that may keep the thread waiting.
        if (!state.waiting.empty() && MayBeSlow(plan[i], &Quick)) {
          for (; i < plan.size(); ++i) state.waiting.insert(state.waiting.end(), plan[i].paths.begin(), plan[i].paths.end());
          break;
        }
      }
      TestRootFilms(plan[i], probe);
      probe.Tell();
    }
  }
}

}  // namespace reelmark::win32
