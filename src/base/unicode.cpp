#include "base/unicode.h"

#include <cstdint>
#include <cstring>

namespace reelmark {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kLast = 0x10FFFF;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

size_t Utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }

// Writes the UTF-8 of `c` at `out`, which has room for Utf8Length(c) bytes, and returns
// the end. A surrogate on its own is written like any other code point below 0x10000.
char* PutUtf8(char* out, char32_t c) {
  const size_t length = Utf8Length(c);
  if (length == 1) {
    *out++ = static_cast<char>(c);
    return out;
  }
  static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (size_t k = length; k-- > 1;) {
    out[k] = static_cast<char>(0x80 | (c & 0x3F));
    c >>= 6;
  }
  out[0] = static_cast<char>(kLead[length] | c);
  return out + length;
}

void AppendUtf8(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, static_cast<size_t>(PutUtf8(bytes, c) - bytes));
}

// The code point at `i`, moving `i` past it. A malformed byte reads as U+FFFD and costs
// one byte, so reading always moves on.
char32_t NextUtf8(std::string_view text, size_t& i) {
  const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = 1;
  char32_t c = lead;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else if (lead >= 0x80) {
    ++i;
    return kReplacement;
  }
  if (length > text.size() - i) {
    ++i;
    return kReplacement;
  }
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (c < least || c > kLast) {
    ++i;
    return kReplacement;
  }
  i += length;
  return c;
}

// The code point at `i` of a sequence of UTF-16 code units; a pair of surrogates is one
// code point, a lone one stands for itself.
template <typename UnitAt>
char32_t NextUtf16(UnitAt unitAt, size_t count, size_t& i) {
  const char32_t unit = unitAt(i++);
  if (IsHighSurrogate(unit) && i < count) {
    const char32_t low = unitAt(i);
    if (IsLowSurrogate(low)) {
      ++i;
      return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return unit;
}

template <typename AppendUnit>
void AppendUtf16(AppendUnit append, char32_t c) {
  if (c < 0x10000) {
    append(c);
  } else {
    c -= 0x10000;
    append(0xD800 + (c >> 10));
    append(0xDC00 + (c & 0x3FF));
  }
}

void AppendUtf16Le(std::string& out, char32_t c) {
  AppendUtf16([&out](char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }, c);
}

// The code points of the program's text, whatever the width of wchar_t.
template <typename Visit>
void ForEachCodePoint(std::wstring_view text, Visit visit) {
  if constexpr (sizeof(wchar_t) == 2) {
    const auto unitAt = [&text](size_t k) { return static_cast<char32_t>(static_cast<char16_t>(text[k])); };
    for (size_t i = 0; i < text.size();) visit(NextUtf16(unitAt, text.size(), i));
  } else {
    for (wchar_t w : text) {
      const auto c = static_cast<char32_t>(w);
      visit(c > kLast ? kReplacement : c);
    }
  }
}

}  // namespace

std::string Utf16LeToUtf8(std::string_view bytes) {
  const size_t count = bytes.size() / 2;
  const auto unitAt = [&bytes](size_t k) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                 (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
  };
  // Measured first, then written in place: an INI file is mostly ASCII, which goes
  // straight through, looked at four units at a time where it comes in a row.
  const auto isAscii = [&bytes](size_t k) {
    return bytes[2 * k + 1] == 0 && static_cast<unsigned char>(bytes[2 * k]) < 0x80;
  };
  const auto fourAscii = [&bytes, count](size_t k) {
    // The bits that must be clear, in the order of the bytes, whatever the machine's.
    static constexpr unsigned char kNonAscii[8] = {0x80, 0xFF, 0x80, 0xFF, 0x80, 0xFF, 0x80, 0xFF};
    if (k + 4 > count) return false;
    std::uint64_t units = 0, mask = 0;
    std::memcpy(&units, bytes.data() + 2 * k, sizeof units);
    std::memcpy(&mask, kNonAscii, sizeof mask);
    return (units & mask) == 0;
  };
  size_t size = 0;
  for (size_t i = 0; i < count;) {
    if (fourAscii(i)) {
      size += 4;
      i += 4;
    } else if (isAscii(i)) {
      ++size;
      ++i;
    } else {
      size += Utf8Length(NextUtf16(unitAt, count, i));
    }
  }
  std::string out(size, '\0');
  char* p = out.data();
  for (size_t i = 0; i < count;) {
    if (fourAscii(i)) {
      for (size_t k = 0; k < 4; ++k) *p++ = bytes[2 * i++];
    } else if (isAscii(i)) {
      *p++ = bytes[2 * i++];
    } else {
      p = PutUtf8(p, NextUtf16(unitAt, count, i));
    }
  }
  return out;
}

std::string Utf8ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size();) AppendUtf16Le(out, NextUtf8(text, i));
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&out](char32_t c) { AppendUtf8(out, c); });
  return out;
}

std::wstring Utf8ToWide(std::string_view text) {
  // No character takes more wide characters than it has bytes: written in place.
  std::wstring out(text.size(), L'\0');
  wchar_t* p = out.data();
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {  // ASCII goes straight through
      *p++ = static_cast<wchar_t>(text[i++]);
      continue;
    }
    const char32_t c = NextUtf8(text, i);
    if constexpr (sizeof(wchar_t) == 2) {
      AppendUtf16([&p](char32_t unit) { *p++ = static_cast<wchar_t>(unit); }, c);
    } else {
      *p++ = static_cast<wchar_t>(c);
    }
  }
  out.resize(static_cast<size_t>(p - out.data()));
  return out;
}

std::string WideToUtf16Le(std::wstring_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  ForEachCodePoint(text, [&out](char32_t c) { AppendUtf16Le(out, c); });
  return out;
}

}  // namespace reelmark
