#include "base/numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace reelmark {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

double LeadingNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const bool negative = i < text.size() && text[i] == L'-';
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
  // A whole number of up to 15 digits, all that the files usually hold, is exact in a
  // double as it stands: start-up reads thousands of them.
  std::uint64_t whole = 0;
  size_t end = i;
  while (end < text.size() && end - i < 15 && IsDigit(text[end])) {
    whole = whole * 10 + static_cast<std::uint64_t>(text[end++] - L'0');
  }
  const bool continues =
      end < text.size() && (IsDigit(text[end]) || text[end] == L'.' || text[end] == L'e' || text[end] == L'E');
  if (end > i && !continues) return negative ? -static_cast<double>(whole) : static_cast<double>(whole);

  // Collect the longest prefix that forms a number, as narrow ASCII for strtod.
  std::string number;
  if (negative) number.push_back('-');
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
  // The text is plain decimal by now, so strtod reads it exactly as from_chars would, at a
  // fraction of the program's size. Too large for a double reads as infinity: clamped.
  // Too small reads as 0 or a value next to it, which every use rounds to 0.
  const double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) return value < 0 ? -DBL_MAX : DBL_MAX;
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
  // A whole value, which is what the files hold, needs no rounding: start-up reads 10,000.
  const auto whole = static_cast<std::int32_t>(value);
  if (static_cast<double>(whole) == value) return whole;
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  return ClampToInt32(rounded);
}

wchar_t* WriteDecimal(wchar_t* out, std::int64_t value, size_t width) {
  wchar_t digits[kDecimalRoom];
  wchar_t* const end = digits + kDecimalRoom;
  wchar_t* p = end;
  // Work with the magnitude as unsigned so the most negative value has one too.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  // Every number the files hold fits in 32 bits, where a 32-bit processor divides in one
  // instruction rather than through a library routine: start-up writes 30,000 of them.
  while (magnitude > UINT32_MAX) {
    *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  }
  auto small = static_cast<std::uint32_t>(magnitude);
  do {
    *--p = static_cast<wchar_t>(L'0' + small % 10);
    small /= 10;
  } while (small != 0);
  if (value < 0) *--p = L'-';
  const size_t length = static_cast<size_t>(end - p);
  if (length < width) out = std::fill_n(out, width - length, L'0');
  return std::copy(p, end, out);
}

void AppendDecimal(std::wstring& out, std::int64_t value, size_t width) {
  const size_t at = out.size();
  out.resize(at + std::max(width, kDecimalRoom));
  out.resize(static_cast<size_t>(WriteDecimal(out.data() + at, value, width) - out.data()));
}

std::wstring DecimalText(std::int64_t value) {
  std::wstring text;
  AppendDecimal(text, value);
  return text;
}

std::int32_t WholeNumber(std::wstring_view text) { return RoundHalfEven(LeadingNumber(text)); }

}  // namespace reelmark
