// The recovery file: what the window's thread pays for it (the rows copied and handed to
// the writer; budget 2 ms for 9,999 favourites), and what the writer's thread then does,
// 9,999 favourites composed and written to a real file beside kk_fav.ini, the flush to the
// disk measured apart (the system may take it anywhere from nothing to hundreds of
// milliseconds). And start-up from a recovery file left behind, beside start-up from
// kk_fav.ini.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "base/text.h"
#include "fake_platform.h"
#include "favourites_of.h"
#include "persistence/recovery.h"
#include "ui/form1.h"

namespace reelmark {
namespace {

using bench::FavouritesFileOf;

// The folder in memory, but the recovery file replaced on the disk the way the Windows
// program replaces it: a new file beside it, written, flushed when asked, moved over.
class DiskRecoveryPlatform : public testing::FakePlatform {
 public:
  DiskRecoveryPlatform(std::string folder, bool flush) : folder_(std::move(folder)), flush_(flush) {}
  SystemError ReplaceFileAtomically(const std::wstring& path, std::string_view bytes, OldAttributes old) override {
    if (path.find(kRecoveryFile) == std::wstring::npos) return FakePlatform::ReplaceFileAtomically(path, bytes, old);
    const std::string target = folder_ + "/kk_fav.recovery.ini", temporary = target + ".new";
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return 5;
    const bool written = write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                         (!flush_ || fsync(file) == 0);
    close(file);
    return written && rename(temporary.c_str(), target.c_str()) == 0 ? 0 : 5;
  }
  bool SetAttributes(const std::wstring&, std::uint32_t) override { return true; }

 private:
  std::string folder_;
  bool flush_;
};

// A form with `count` favourites on the platform, and each iteration a move (the write is
// then due, outside the timing) and the timer (timed).
void TimeRecoveryWrites(benchmark::State& state, testing::FakePlatform& platform) {
  const int count = static_cast<int>(state.range(0));
  platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\n");
  platform.PutFile(platform.Path(L"kk_fav.ini"), FavouritesFileOf(count), kAttributeHidden | kAttributeSystem);
  Form1 form(platform);
  form.Form_Load();
  form.List1.Select(1);
  bool down = true;
  for (auto _ : state) {
    state.PauseTiming();
    platform.writerJob.reset();  // what a held writer was handed last time
    form.List1_KeyPress(down ? 's' : 'w');
    down = !down;
    state.ResumeTiming();
    form.RecoveryTimer_Timer();
  }
  state.SetComplexityN(count);
}

// The window's thread alone: the list compared with what the file holds, copied and
// handed over. The writer here keeps what it is handed.
void BM_RecoveryHandedToWriter(benchmark::State& state) {
  testing::FakePlatform platform;
  platform.holdWriter = true;
  TimeRecoveryWrites(state, platform);
}
BENCHMARK(BM_RecoveryHandedToWriter)->Arg(1000)->Arg(9999)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// The writer's thread: the file composed, written and moved into place.
void BM_RecoveryFileWritten(benchmark::State& state, bool flush) {
  // On the disk the build is on (a temporary folder may live in memory, where a flush
  // costs nothing).
  char folder[] = "build/reelmark-bench-XXXXXX";
  if (!mkdtemp(folder)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  DiskRecoveryPlatform platform(folder, flush);
  TimeRecoveryWrites(state, platform);
  unlink((std::string(folder) + "/kk_fav.recovery.ini").c_str());
  rmdir(folder);
}
BENCHMARK_CAPTURE(BM_RecoveryFileWritten, flush_aside, false)->Arg(1000)->Arg(9999)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(BM_RecoveryFileWritten, with_flush, true)->Arg(9999)->Unit(benchmark::kMillisecond);

// Start-up puts the recovery file in place of kk_fav.ini and reads it: as fast as reading
// kk_fav.ini itself.
void BM_StartUpRestoresRecoveryFile(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  testing::FakePlatform platform;
  platform.PutFile(platform.Path(L"kk.ini"), "[Option]\r\nauto_resume=1\r\n[Status]\r\nFilename=\r\n");
  const std::string left = FavouritesFileOf(count);
  for (auto _ : state) {
    state.PauseTiming();
    platform.PutFile(platform.Path(L"kk_fav.ini"), "[options]\r\n", kAttributeHidden | kAttributeSystem);
    // Newer than that kk_fav.ini, as a run that did not end leaves it.
    const std::string saved = std::to_string(*platform.FileStamp(platform.Path(L"kk_fav.ini")));
    platform.PutFile(platform.Path(L"kk_fav.recovery.ini"), left + "[recovery]\r\nSaved=" + saved + "\r\n",
                     kAttributeHidden | kAttributeSystem);
    state.ResumeTiming();
    Form1 form(platform);
    form.Form_Load();
    if (form.List1.Count() != count + 1) state.SkipWithError("the recovery file was not restored");
    benchmark::DoNotOptimize(form.List1.Count());
  }
  state.SetComplexityN(count);
}
BENCHMARK(BM_StartUpRestoresRecoveryFile)->Arg(1000)->Arg(5000)->Arg(9999)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace
}  // namespace reelmark
