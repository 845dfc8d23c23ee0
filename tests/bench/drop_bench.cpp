// Dropping 999 files on 9,000 favourites: some of them listed already, some named twice
// in the drop. Budget: under 100 ms for the whole drop, the list's changes included.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/path.h"
#include "fake_platform.h"
#include "persistence/favourites.h"
#include "ui/form1.h"
#include "ui/texts.h"

namespace reelmark {
namespace {

std::vector<std::wstring> Favourites(int count) {
  std::vector<std::wstring> rows{texts::kHeaderRow};
  for (int i = 1; i <= count; ++i) {
    rows.push_back(FormatListLine(i, i * 37, L"D:\\电影\\film " + std::to_wstring(i) + L".rmvb"));
  }
  return rows;
}

// Every third file is listed (in another folder); of the others, every fifth is named like
// the file before it.
std::vector<std::wstring> Drop(int count, int listed) {
  std::vector<std::wstring> files;
  for (int i = 0; i < count; ++i) {
    if (i % 3 == 0) {
      files.push_back(L"E:\\下载\\film " + std::to_wstring(1 + (i * 7919) % listed) + L".rmvb");
    } else if (i % 5 == 0) {
      files.push_back(L"F:\\again\\" + std::wstring(FileNameOf(files.back())));
    } else {
      files.push_back(L"F:\\new\\new " + std::to_wstring(i) + L".mkv");
    }
  }
  return files;
}

void BM_DropOnFavourites(benchmark::State& state) {
  const int listed = static_cast<int>(state.range(0));
  const int dropped = static_cast<int>(state.range(1));
  const std::vector<std::wstring> rows = Favourites(listed);
  const std::vector<std::wstring> files = Drop(dropped, listed);
  testing::FakePlatform platform;
  for (auto _ : state) {
    state.PauseTiming();
    Form1 form(platform);
    form.List1.AppendRows(rows);
    form.List1.Select(1);
    state.ResumeTiming();
    form.List1_OLEDragDrop(files);
    benchmark::DoNotOptimize(form.List1.Count());
  }
}
BENCHMARK(BM_DropOnFavourites)->Args({9000, 999})->Args({1000, 999})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace reelmark
