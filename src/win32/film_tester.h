// The film tester: a thread of its own that tells which favourites' films are there, so
// the window never waits for a drive without its disc or a share whose server sleeps. It
// tests as film_check.h plans: local roots first, each root once before its films. What it
// finds is gathered for the window, which one posted message tells at a time.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "player/film_check.h"
#include "win32/worker_thread.h"

namespace reelmark::win32 {

class FilmTester {
 public:
  // With `everything`, what still waits is dropped first. `notify` gets kFilmsTestedMessage.
  void Test(std::vector<std::wstring> paths, bool everything, HWND notify);
  std::vector<TestedFilm> Take();

 private:
  struct State : WorkerState {
    std::vector<std::wstring> waiting;
    bool renewed = false;  // every film came anew: what is being tested need not be finished
    std::vector<TestedFilm> found;
    bool told = false;  // a message about `found` is on its way
    HWND notify = nullptr;
  };
  class Probe;
  static void Run(State& state);

  // The end never waits for it: a test may be stuck on a share for a minute.
  WorkerThread<State> thread_{&Run, 0};
};

}  // namespace reelmark::win32
