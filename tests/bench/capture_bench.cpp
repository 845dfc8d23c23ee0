// A capture's own work, the wait for the player aside, with the 9,999 favourites the list
// can hold: the film refreshes the last row, which the scan reaches last. Budget: 5 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "fake_platform.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

void BM_CaptureRefreshesTheLastOfManyFavourites(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  testing::FakePlatform platform;
  std::string favourites = "[options]\r\nDelLast= 0\r\nDelLastPath= 0\r\nDblExit= 0\r\n";
  for (int i = 1; i <= count; ++i) {
    favourites += "[" + std::to_string(i) + "fav]\r\ntime= " + std::to_string(i) + "\r\nFilename=D:\\films\\film " +
                  std::to_string(i) + ".rmvb\r\n";
  }
  platform.PutFile(platform.Path(L"kk_fav.ini"), favourites, kAttributeHidden | kAttributeSystem);
  platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\n");
  Form1 form(platform);
  form.Form_Load();
  // The player has gone already and recorded the last favourite's film.
  platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nresume=1\r\nFilename=E:\\film " +
                                                 std::to_string(count) + ".rmvb\r\ntime=3000\r\n");
  for (auto _ : state) {
    form.ddd();
    benchmark::DoNotOptimize(form.CurrentRow);
  }
  state.SetComplexityN(count);
}
BENCHMARK(BM_CaptureRefreshesTheLastOfManyFavourites)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace reelmark
