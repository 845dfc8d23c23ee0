// Arbitrary bytes as an INI file, in whatever encoding they announce, with names and
// values taken from the input: reading, writing and reading again must never crash or
// misbehave, and a document after a few edits must answer as the same text parsed afresh.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "persistence/ini_document.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Names and values a write is sure to read back unchanged.
bool IsPlain(const std::string& text) {
  for (char c : text) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum && c != '_') return false;
  }
  return true;
}

struct Write {
  std::string section, key, value;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<Write> writes(input.ConsumeIntegralInRange<size_t>(1, 4));
  std::vector<std::string> names;
  for (Write& w : writes) {
    w.section = input.ConsumeRandomLengthString(16);
    w.key = input.ConsumeRandomLengthString(16);
    w.value = input.ConsumeRandomLengthString(64);
    names.push_back(w.section);
    names.push_back(w.key);
  }
  const std::string bytes = input.ConsumeRemainingBytesAsString();

  // The file's bytes come back as they were, whatever their encoding; a Unicode file only
  // loses an odd last byte, which is no character.
  reelmark::IniDocument doc = reelmark::IniDocument::FromFile(bytes);
  const bool unicode = doc.Encoding() != reelmark::IniEncoding::Ansi;
  Check(doc.FileBytes() == bytes.substr(0, unicode ? bytes.size() & ~size_t{1} : bytes.size()));
  for (const Write& w : writes) {
    const std::string old = doc.Text();
    const auto before = doc.Get(w.section, w.key);
    const bool changed = doc.Set(w.section, w.key, w.value);
    Check(changed == (doc.Text() != old));
    if (!changed) Check(doc.Get(w.section, w.key) == before);
    if (IsPlain(w.section) && IsPlain(w.key) && IsPlain(w.value)) Check(doc.Get(w.section, w.key) == w.value);
    const reelmark::IniDocument fresh(reelmark::IniText{doc.Encoding(), doc.Text()});
    for (const auto& s : names) {
      for (const auto& k : names) Check(fresh.Get(s, k) == doc.Get(s, k));
    }
  }
  return 0;
}
