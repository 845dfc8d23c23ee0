// Numbers read from text, the way every value of the INI files is read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace reelmark {

// The number at the start of a text: leading blanks are skipped, then an optional sign,
// digits with an optional decimal point and an optional exponent; reading stops at the
// first character that cannot continue the number. 0 when there is none. Never
// infinite: a value beyond the range of double is clamped to its largest value.
double LeadingNumber(std::wstring_view text);

// Rounded to the nearest whole number, a half going to the even neighbour
// (0.5 -> 0, 1.5 -> 2, -2.5 -> -2), and clamped to the 32-bit range.
std::int32_t RoundHalfEven(double value);

// LeadingNumber, then RoundHalfEven: how a switch or a count is read.
std::int32_t WholeNumber(std::wstring_view text);

std::int32_t ClampToInt32(std::int64_t value);

// The decimal text of a whole number: a minus sign when negative, nothing else.
// (std::to_wstring goes through swprintf, which start-up cannot afford 30,000 times.)
std::wstring DecimalText(std::int64_t value);
// Appends the decimal digits of `value` (a minus sign first when negative), with zeros in
// front up to `width` characters. In place: start-up formats thousands of rows.
void AppendDecimal(std::wstring& out, std::int64_t value, size_t width = 0);
// The room a whole number needs besides zeros in front: a sign and 19 digits.
inline constexpr size_t kDecimalRoom = 20;
// Writes what AppendDecimal appends at `out`, which has room for the larger of
// kDecimalRoom and `width` characters; returns the end of what it wrote.
wchar_t* WriteDecimal(wchar_t* out, std::int64_t value, size_t width = 0);

std::int32_t ClampToInt32(double value);

}  // namespace reelmark
