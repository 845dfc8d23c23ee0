// Loading the favourites at start-up and writing them at shut-down, with up to the
// 9,999 favourites the list can hold. Budget: each under 5 ms, linear in the count.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/text.h"
#include "base/unicode.h"
#include "fake_platform.h"
#include "favourites_of.h"
#include "persistence/favourites.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

using bench::FavouritesFileOf;

// The same favourites as a Unicode file: UTF-16LE behind its mark.
std::string UnicodeFavouritesFileOf(int count) {
  std::string bytes = "\xFF\xFE";
  bytes += WideToUtf16Le(FromAnsi(FavouritesFileOf(count)));
  return bytes;
}

void PrepareFolder(testing::FakePlatform& platform, int count, bool unicode = false) {
  platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\n");
  platform.PutFile(platform.Path(L"kk_fav.ini"), unicode ? UnicodeFavouritesFileOf(count) : FavouritesFileOf(count),
                   kAttributeHidden | kAttributeSystem);
}

void BM_StartUpLoadsFavourites(benchmark::State& state, bool unicode) {
  const int count = static_cast<int>(state.range(0));
  testing::FakePlatform platform;
  PrepareFolder(platform, count, unicode);
  for (auto _ : state) {
    Form1 form(platform);
    form.Form_Load();
    benchmark::DoNotOptimize(form.List1.Count());
  }
  state.SetComplexityN(count);
}
BENCHMARK_CAPTURE(BM_StartUpLoadsFavourites, ansi, false)->Arg(1000)->Arg(5000)->Arg(9999)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_StartUpLoadsFavourites, unicode, true)->Arg(1000)->Arg(5000)->Arg(9999)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_ShutDownWritesFavourites(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  testing::FakePlatform platform;
  PrepareFolder(platform, count);
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<Form1>(platform);
    form->Form_Load();
    state.ResumeTiming();
    form->Unload();
    benchmark::DoNotOptimize(platform.Bytes(platform.Path(L"kk_fav.ini")).size());
  }
  state.SetComplexityN(count);
}
BENCHMARK(BM_ShutDownWritesFavourites)->Arg(1000)->Arg(5000)->Arg(9999)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
}  // namespace reelmark
