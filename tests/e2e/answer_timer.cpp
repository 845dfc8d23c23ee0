#include "answer_timer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "desktop.h"

namespace e2e {
namespace {

constexpr DWORD kPingGapMs = 3;  // from one answer to the next question

}  // namespace

double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / perMs;
}

AnswerTimer::AnswerTimer(HWND window) : window_(window) {
  answers_.reserve(1 << 14);
  thread_.reset(CreateThread(nullptr, 0, &AnswerTimer::Run, this, 0, nullptr));
}

AnswerTimer::~AnswerTimer() {
  if (!Stop()) {
    printf("FAIL: the timing thread did not end\n");
    fflush(stdout);
    ExitProcess(1);
  }
}

bool AnswerTimer::Stop() {
  stop_ = true;
  // Each question waits kWaitMs at most.
  return !thread_ || WaitForSingleObject(thread_.get(), 2 * kWaitMs) == WAIT_OBJECT_0;
}

// Asks the window again and again how long it takes to answer: a message the window's
// thread handles as soon as it next looks at its messages.
DWORD WINAPI AnswerTimer::Run(void* parameter) {
  AnswerTimer& timer = *static_cast<AnswerTimer*>(parameter);
  while (!timer.stop_.load()) {
    const int phase = timer.phase_.load();
    DWORD_PTR reply = 0;
    const double sent = NowMs();
    const bool answered = SendMessageTimeoutW(timer.window_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &reply) != 0;
    timer.answers_.push_back({phase, NowMs() - sent, answered});
    if (!answered && !IsWindow(timer.window_)) break;
    Sleep(kPingGapMs);
  }
  return 0;
}

AnswerTimer::Summary AnswerTimer::Summarise(const std::function<bool(int phase)>& chosen) const {
  std::vector<double> ms;
  Summary summary;
  for (const Answer& answer : answers_) {
    if (!chosen(answer.phase)) continue;
    ms.push_back(answer.ms);
    if (!answer.answered) ++summary.unanswered;
  }
  summary.count = ms.size();
  if (ms.empty()) return summary;
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  summary.slowest = ms.back();
  // The nearest rank: 99 of 100 answers came at least this fast.
  summary.p99 = ms[static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n))) - 1];
  summary.median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  return summary;
}

void AnswerTimer::Print(const char* what, const Summary& s) {
  printf("%s: %zu answers, slowest %.1f ms, 99th percentile %.1f ms, median %.2f ms", what, s.count, s.slowest, s.p99,
         s.median);
  if (s.unanswered) printf(", %zu not answered within %lu ms", s.unanswered, static_cast<unsigned long>(kWaitMs));
  printf("\n");
  fflush(stdout);
}

}  // namespace e2e
