#include "base/numbers.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace reelmark {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The power of ten of the first significant digit of a number as LeadingNumber collects
// it ("-120.5e3" -> 5, "0.001" -> -3), which tells a number too large for a double from
// one too small whatever its spelling. Saturates far beyond the range of double; 0 when
// every digit is 0.
std::int64_t DecimalExponent(const std::string& number) {
  const size_t end = std::min(number.find('e'), number.size());
  const auto point = static_cast<std::int64_t>(std::min(number.find('.'), end));
  std::int64_t first = 0;
  bool found = false;
  for (size_t k = number[0] == '-' ? 1 : 0; k < end && !found; ++k) {
    const auto at = static_cast<std::int64_t>(k);
    if (at == point || number[k] == '0') continue;
    first = at < point ? point - at - 1 : point - at;
    found = true;
  }
  if (!found) return 0;
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  std::int64_t exponent = 0;
  size_t k = end + 1;
  const bool negative = k < number.size() && number[k] == '-';
  if (k < number.size() && (number[k] == '-' || number[k] == '+')) ++k;
  for (; k < number.size(); ++k) exponent = std::min(exponent * 10 + (number[k] - '0'), kFar);
  return first + (negative ? -exponent : exponent);
}

}  // namespace

double LeadingNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  // Collect the longest prefix that forms a number, as narrow ASCII for from_chars.
  std::string number;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    if (text[i] == L'-') number.push_back('-');
    ++i;
  }
  bool digits = false;
  while (i < text.size() && IsDigit(text[i])) { number.push_back(static_cast<char>(text[i++])); digits = true; }
  if (i < text.size() && text[i] == L'.') {
    number.push_back('.');
    ++i;
    while (i < text.size() && IsDigit(text[i])) { number.push_back(static_cast<char>(text[i++])); digits = true; }
  }
  if (!digits) return 0.0;
  // An exponent counts only when digits follow it ("1e" is the number 1).
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent.push_back(static_cast<char>(text[j++]));
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent.push_back(static_cast<char>(text[j++]));
      number += exponent;
    }
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: clamp the large ones, the small ones are 0.
    if (DecimalExponent(number) < 0) return 0.0;
    return number[0] == '-' ? -DBL_MAX : DBL_MAX;
  }
  return value;
}

std::int32_t ClampToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::int32_t ClampToInt32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  return ClampToInt32(rounded);
}

std::wstring DecimalText(std::int64_t value) {
  wchar_t buffer[24];
  wchar_t* end = buffer + 24;
  wchar_t* p = end;
  // Work with the magnitude as unsigned so the most negative value has one too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = L'-';
  return std::wstring(p, end);
}

std::int32_t WholeNumber(std::wstring_view text) { return RoundHalfEven(LeadingNumber(text)); }

}  // namespace reelmark
