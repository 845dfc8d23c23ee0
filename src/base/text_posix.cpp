// ANSI code page conversion for portable builds, through iconv.
#include "base/text.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace reelmark {
namespace {

unsigned g_codePage = 936;

const char* IconvName(unsigned codePage) { return codePage == 1252 ? "CP1252" : "CP936"; }

// One converter per direction, opened once: start-up converts thousands of lines.
class Converter {
 public:
  Converter() = default;
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { Close(); }

  iconv_t Get(const char* to, const char* from, unsigned codePage) {
    if (handle_ == reinterpret_cast<iconv_t>(-1) || codePage_ != codePage) {
      Close();
      handle_ = iconv_open(to, from);
      codePage_ = codePage;
    }
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    return handle_;
  }

 private:
  void Close() {
    if (handle_ != reinterpret_cast<iconv_t>(-1)) iconv_close(handle_);
    handle_ = reinterpret_cast<iconv_t>(-1);
  }
  iconv_t handle_ = reinterpret_cast<iconv_t>(-1);
  unsigned codePage_ = 0;
};

Converter g_toWide;
Converter g_toAnsi;

}  // namespace

unsigned AnsiCodePage() { return g_codePage; }
void SetAnsiCodePage(unsigned codePage) { g_codePage = codePage == 1252 ? 1252 : 936; }

bool IsAnsiLeadByte(unsigned char byte) { return g_codePage == 936 && byte >= 0x81 && byte <= 0xFE; }

namespace {

// Converts the whole text in one call; false when it holds something the code page
// cannot convert, and then the callers go character by character. Also false when
// `exact` is asked for and a character was converted to something else.
template <typename From, typename To>
bool ConvertWhole(iconv_t cd, std::basic_string_view<From> in, std::basic_string<To>& out, bool exact = false) {
  // A character takes at most two bytes of a double-byte code page and one wide
  // character; should it take more, the conversion starts again with more room.
  for (size_t room = in.size() * (sizeof(To) == 1 ? 2 : 1) + 4;; room *= 2) {
    out.resize(room);
    char* inPtr = const_cast<char*>(reinterpret_cast<const char*>(in.data()));
    size_t inLeft = in.size() * sizeof(From);
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * sizeof(To);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t inexact = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (inexact == static_cast<size_t>(-1) && errno == E2BIG) continue;
    if (inexact == static_cast<size_t>(-1) || inLeft != 0 || (exact && inexact != 0)) return false;
    out.resize(out.size() - outLeft / sizeof(To));
    return true;
  }
}

bool IsAscii(std::wstring_view text) {
  for (wchar_t c : text) {
    if (c < 0 || c >= 0x80) return false;
  }
  return true;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::wstring FromAnsi(std::string_view bytes) {
  if (IsAscii(bytes)) return std::wstring(bytes.begin(), bytes.end());
  std::wstring out;
  iconv_t cd = g_toWide.Get("WCHAR_T", IconvName(g_codePage), g_codePage);
  if (ConvertWhole(cd, bytes, out)) return out;
  out.clear();
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {  // ASCII is the same in every supported code page
      out.push_back(static_cast<wchar_t>(b));
      ++i;
      continue;
    }
    const size_t len = (IsAnsiLeadByte(b) && i + 1 < bytes.size()) ? 2 : 1;
    char in[2] = {bytes[i], len == 2 ? bytes[i + 1] : '\0'};
    wchar_t wc = 0;
    char* inPtr = in;
    size_t inLeft = len;
    char* outPtr = reinterpret_cast<char*>(&wc);
    size_t outLeft = sizeof wc;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
      out.push_back(L'?');
      ++i;  // a bad lead byte costs one byte; its follower is read on its own
      continue;
    }
    out.push_back(wc);
    i += len;
  }
  return out;
}

std::string ToAnsi(std::wstring_view text) {
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  std::string out;
  iconv_t cd = g_toAnsi.Get(IconvName(g_codePage), "WCHAR_T", g_codePage);
  if (ConvertWhole(cd, text, out)) return out;
  out.clear();
  out.reserve(text.size());
  for (wchar_t wc : text) {
    if (wc >= 0 && wc < 0x80) {
      out.push_back(static_cast<char>(wc));
      continue;
    }
    char buf[8];
    char* inPtr = reinterpret_cast<char*>(&wc);
    size_t inLeft = sizeof wc;
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      out.push_back('?');
      continue;
    }
    out.append(buf, static_cast<size_t>(outPtr - buf));
  }
  return out;
}

std::optional<std::string> ToAnsiExact(std::wstring_view text) {
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  std::string out;
  // iconv refuses a character the code page lacks and counts the ones it converts to
  // something else; with no transliteration asked for, the count stays 0.
  if (!ConvertWhole(g_toAnsi.Get(IconvName(g_codePage), "WCHAR_T", g_codePage), text, out, true)) return std::nullopt;
  return out;
}

}  // namespace reelmark
