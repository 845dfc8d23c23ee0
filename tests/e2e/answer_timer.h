// How long a window takes to answer: a thread of the driver sends it WM_NULL again and
// again, a few milliseconds apart, and keeps how long each answer took, under the phase of
// the measurement it came in. Not a test: the measurements print what they saw.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "win32/unique_handle.h"

namespace e2e {

// Milliseconds on the performance counter.
double NowMs();

class AnswerTimer {
 public:
  struct Summary {
    size_t count = 0, unanswered = 0;
    double slowest = 0, p99 = 0, median = 0;
  };

  // Starts timing the window's answers; false from Started() when no thread could be had.
  explicit AnswerTimer(HWND window);
  ~AnswerTimer();
  AnswerTimer(const AnswerTimer&) = delete;
  AnswerTimer& operator=(const AnswerTimer&) = delete;

  bool Started() const { return static_cast<bool>(thread_); }
  void SetPhase(int phase) { phase_ = phase; }
  // Ends the timing; false when the thread did not end (a question still waits), in which
  // case the driver must end at once: the thread still uses what it was given.
  bool Stop();
  // The answers of the phases chosen.
  Summary Summarise(const std::function<bool(int phase)>& chosen) const;
  static void Print(const char* what, const Summary& summary);

 private:
  struct Answer {
    int phase;
    double ms;
    bool answered;
  };
  static DWORD WINAPI Run(void* parameter);

  HWND window_;
  std::atomic<int> phase_{0};
  std::atomic<bool> stop_{false};
  std::vector<Answer> answers_;  // the thread's alone until it has ended
  reelmark::win32::UniqueKernelHandle thread_;
};

}  // namespace e2e
