#include "checks.h"

#include <algorithm>

#include "text.h"

namespace e2e {

bool Checks::Expect(bool ok, const std::string& message) {
  if (!ok) failures_.push_back(message);
  return ok;
}

bool Checks::ExpectText(std::string_view what, std::wstring_view expected, std::wstring_view seen) {
  return Expect(expected == seen,
                std::string(what) + ": expected " + Shown(expected) + ", seen " + Shown(seen));
}

bool Checks::ExpectBytes(std::string_view what, std::string_view expected, std::string_view seen) {
  if (expected == seen) return true;
  // Point at the first difference and show the text around it: whole files are long.
  const std::wstring e = FromCp936(expected), s = FromCp936(seen);
  if (e == s) {
    return Expect(false, std::string(what) + ": the bytes differ where they are not text; expected " +
                             ShownBytes(expected) + ", seen " + ShownBytes(seen));
  }
  size_t at = 0;
  while (at < e.size() && at < s.size() && e[at] == s[at]) ++at;
  const size_t from = at > 40 ? at - 40 : 0;
  const std::string before = from > 0 ? "..." : "";
  auto excerpt = [&](const std::wstring& text) {
    return before + Shown(text.substr(std::min(from, text.size()), 120)) + (text.size() > from + 120 ? "..." : "");
  };
  return Expect(false, std::string(what) + ": first difference at character " + std::to_string(at) + "; expected " +
                           excerpt(e) + ", seen " + excerpt(s));
}

bool Checks::ExpectNumber(std::string_view what, long long expected, long long seen) {
  return Expect(expected == seen, std::string(what) + ": expected " + std::to_string(expected) +
                                      ", seen " + std::to_string(seen));
}

bool Checks::ExpectRows(std::string_view what, const std::vector<std::wstring>& expected,
                        const std::vector<std::wstring>& seen) {
  if (expected == seen) return true;
  // Only the rows that differ: whole lists of long paths hide the difference.
  std::string message = std::string(what) + ": expected " + std::to_string(expected.size()) + " rows, seen " +
                        std::to_string(seen.size());
  int shown = 0;
  for (size_t i = 0; i < expected.size() || i < seen.size(); ++i) {
    const std::wstring* e = i < expected.size() ? &expected[i] : nullptr;
    const std::wstring* s = i < seen.size() ? &seen[i] : nullptr;
    if (e && s && *e == *s) continue;
    if (++shown > 5) {
      message += "; ...";
      break;
    }
    message += "; row " + std::to_string(i) + ": expected " + (e ? Shown(*e) : "none") + ", seen " +
               (s ? Shown(*s) : "none");
  }
  return Expect(false, message);
}

void Checks::Stop(const std::string& message) {
  failures_.push_back(message);
  throw ScenarioStopped{};
}

}  // namespace e2e
