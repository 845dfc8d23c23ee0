// What a scenario expected and did not see. A check records its message and goes on;
// a requirement that fails also stops the scenario, since the steps after it would only
// report the same fault again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct ScenarioStopped {};  // thrown by Checks::Stop; the runner catches it

class Checks {
 public:
  // Records `message` unless `ok`; returns `ok`.
  bool Expect(bool ok, const std::string& message);
  bool ExpectText(std::string_view what, std::wstring_view expected, std::wstring_view seen);
  bool ExpectBytes(std::string_view what, std::string_view expected, std::string_view seen);
  bool ExpectNumber(std::string_view what, long long expected, long long seen);
  bool ExpectRows(std::string_view what, const std::vector<std::wstring>& expected,
                  const std::vector<std::wstring>& seen);
  [[noreturn]] void Stop(const std::string& message);
  void Require(bool ok, const std::string& message) {
    if (!ok) Stop(message);
  }

  const std::vector<std::string>& Failures() const { return failures_; }

 private:
  std::vector<std::string> failures_;
};

}  // namespace e2e
