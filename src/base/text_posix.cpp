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

std::wstring FromAnsi(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  iconv_t cd = g_toWide.Get("WCHAR_T", IconvName(g_codePage), g_codePage);
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
  std::string out;
  out.reserve(text.size());
  iconv_t cd = g_toAnsi.Get(IconvName(g_codePage), "WCHAR_T", g_codePage);
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

}  // namespace reelmark
