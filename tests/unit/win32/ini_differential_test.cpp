// Our INI engine against the system's own profile functions, on a few hundred generated
// files: every (section, key) asked, present or absent, must read the same.
//
// The generated files keep away from the points where Wine's profile functions are known
// to behave unlike Windows, so that the test holds on both:
// - parameters carry 0x20 spaces only, never TABs (Wine also strips TABs from them);
// - keys starting with ';' are never asked (Wine reads a comment line as a key);
// - section names hold no ']' and every header line has its ']' (Wine ends a name at
//   the last ']' and does not take a line without one as a header);
// - section "" is never asked (Wine answers it with the keys before the first section),
//   and files that are written hold no "[]" (Wine drops that header when it rewrites the
//   file, so its keys join the section before);
// - no UTF-8 byte order mark, and every file starts with an ASCII byte (Wine reads a
//   marked file as UTF-8); names hold only ASCII letters and Han characters, since case
//   folding of other letters is not settled;
// - the same files are also asked as Unicode (UTF-16LE behind its mark), which both read
//   as Unicode and keep Unicode when they write; a file of nothing but the mark is left to
//   the unit tests (Wine writes into it without the line end Windows puts first);
// - no NUL bytes, form feeds or Ctrl-Z (how each system reads them is not settled);
// - lines without '=' never share a name with a key (whether they hide a later key of
//   the same name is not settled);
// - writes use values without outer blanks and keys without spaces (Wine trims the value
//   and keeps a new key's trailing spaces), and only what is read back is compared, not
//   the bytes (Wine rewrites the whole file, and places new keys after trailing comments).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "persistence/ini_document.h"
#include "persistence/ini_encoding.h"

namespace reelmark {
namespace {

class Rng {
 public:
  explicit Rng(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  size_t Below(size_t n) { return Next() % n; }
  bool Percent(unsigned p) { return Next() % 100 < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) { return items[Below(items.size())]; }

 private:
  std::uint32_t state_;
};

// Han characters in code page 936, among them trail bytes ']', '[', '\' and letters.
const std::vector<std::string> kHan = {"\xD6\xD0", "\xCE\xC4", "\xB5\xE7", "\xD3\xB0", "\xB0\x5D", "\xBB\x5B",
                                       "\xBB\x5C", "\xB8\x5D", "\xB0\x41", "\xB0\x61", "\xCA\xD5", "\xB2\xD8"};
const std::vector<std::string> kSectionPool = {"options", "1fav", "kk", "Sec Two", "\xB0\x5D", "\xD6\xD0\xBB\x5B",
                                               "a", "B2", "x\xB0\x41y", "9999FAV"};
const std::vector<std::string> kKeyPool = {"time", "Filename", "my key", "k1", "resume", "auto_resume",
                                           "x\xD3\xB0", "\xB0\x5D\xBB\x5B", "#k", "\xB0\x61"};

std::string Blanks(Rng& rng, unsigned percent) {
  static const std::vector<std::string> kBlanks = {" ", "\t", "\v", "  "};
  std::string out;
  while (rng.Percent(percent)) out += rng.Pick(kBlanks);
  return out;
}

// The same name in another mix of ASCII case; a double-byte character is left whole.
std::string MixCase(Rng& rng, const std::string& name) {
  std::string out = name;
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(out[i]);
    if (c >= 0x81) {
      ++i;
    } else if (rng.Percent(50) && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
      out[i] = static_cast<char>(c ^ 0x20);
    }
  }
  return out;
}

std::string Text(Rng& rng, size_t length) {
  static const std::vector<std::string> kAscii = {"a", "Z", "0", " ", "\\", ".", ";", "#", "=", "[", "]", "'", "\""};
  std::string out;
  while (out.size() < length) out += rng.Percent(40) ? rng.Pick(kHan) : rng.Pick(kAscii);
  return out;
}

std::string Value(Rng& rng) {
  std::string v;
  switch (rng.Below(9)) {
    case 0: break;
    case 1: v = " 3720"; break;
    case 2: v = "C:\\" + rng.Pick(kHan) + "\\" + rng.Pick(kHan) + " 1.avi"; break;
    case 3: v = "a=b ;c #d"; break;
    case 4: {
      const std::string q = rng.Percent(50) ? "\"" : "'";
      v = q + Blanks(rng, 50) + Text(rng, rng.Below(12)) + Blanks(rng, 50) + q;
      break;
    }
    case 5: v = rng.Pick(std::vector<std::string>{"\"v'", "\"", "''", "\"a\"b\"", "'\"v\"'", "\"\"x\"\""}); break;
    case 6: v = Text(rng, 200 + rng.Below(4000)); break;
    default: v = Text(rng, rng.Below(20)); break;
  }
  return Blanks(rng, 30) + v + Blanks(rng, 30);
}

std::string LineEnd(Rng& rng, int style) {
  static const std::vector<std::string> kEnds = {"\r\n", "\n", "\r"};
  return style < 3 ? kEnds[static_cast<size_t>(style)] : rng.Pick(kEnds);
}

std::string Header(Rng& rng, const std::string& name) {
  std::string line = Blanks(rng, 20) + "[" + Blanks(rng, 30) + MixCase(rng, name) + Blanks(rng, 30) + "]";
  if (rng.Percent(10)) line += rng.Pick(std::vector<std::string>{" junk", "k1=v", " ;c", rng.Pick(kHan)});
  return line;
}

std::string KeyLine(Rng& rng, const std::string& name) {
  return Blanks(rng, 20) + MixCase(rng, name) + Blanks(rng, 30) + "=" + Value(rng);
}

struct GeneratedFile {
  std::string bytes;
  std::vector<std::string> sections;  // the pool this file draws on (some never used)
  std::vector<std::string> keys;
};

GeneratedFile Generate(Rng& rng, bool emptySections) {
  GeneratedFile file;
  for (int i = 0; i < 5; ++i) file.sections.push_back(rng.Pick(kSectionPool));
  for (int i = 0; i < 7; ++i) file.keys.push_back(rng.Pick(kKeyPool));
  const int endStyle = static_cast<int>(rng.Below(5));

  // The first byte is ASCII: no byte order mark can form.
  std::vector<std::string> lines = {rng.Pick(std::vector<std::string>{"; reelmark", "", "[a]", "k1=before"})};
  const size_t count = 3 + rng.Below(40);
  for (size_t i = 0; i < count; ++i) {
    const size_t kind = rng.Below(100);
    if (kind < 25) {
      lines.push_back(Header(rng, rng.Pick(file.sections)));
    } else if (kind < 75) {
      lines.push_back(KeyLine(rng, rng.Pick(file.keys)));
    } else if (kind < 83) {
      lines.push_back(Blanks(rng, 30) + ";" + (rng.Percent(50) ? KeyLine(rng, rng.Pick(file.keys)) : Text(rng, 8)));
    } else if (kind < 88) {
      lines.push_back(Blanks(rng, 30) + "junk " + rng.Pick(kHan) + " line");
    } else if (kind < 90) {
      lines.push_back(Blanks(rng, 30) + "=" + Value(rng));
    } else if (kind < 92 && emptySections) {
      lines.push_back("[" + Blanks(rng, 50) + "]");
    } else {
      lines.push_back(Blanks(rng, 50));
    }
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    file.bytes += lines[i];
    if (i + 1 < lines.size() || rng.Percent(70)) file.bytes += LineEnd(rng, endStyle);
  }
  return file;
}

class TempDir {
 public:
  TempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "reelmark_ini_diff_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempDir() {
    for (const auto& f : files_) DeleteFileA(f.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Read(const std::string& name) const {
    std::string bytes;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(h, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(h);
    return bytes;
  }

  // A new file each time: the system's profile functions may keep a file they have read.
  std::string Write(const std::string& bytes) {
    const std::string name = path_ + "f" + std::to_string(files_.size()) + ".ini";
    files_.push_back(name);
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    EXPECT_EQ(written, bytes.size());
    return name;
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

std::string SystemRead(const std::string& file, const std::string& section, const std::string& key) {
  std::vector<char> buffer(65536);
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), n);
}

// Each generated file is asked in two forms: as generated, in code page 936, and as the
// same text in UTF-16LE behind its mark, converted here by the system itself.
enum class Form { Ansi, Unicode };
const Form kForms[] = {Form::Ansi, Form::Unicode};
const char* Name(Form form) { return form == Form::Ansi ? "ANSI" : "Unicode"; }

std::wstring Wide(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

std::string Ansi(const std::wstring& wide) {
  std::string ansi(wide.size() * 2, '\0');
  ansi.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                      ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr)));
  return ansi;
}

std::string InForm(const std::string& ansi, Form form) {
  if (form == Form::Ansi) return ansi;
  const std::wstring wide = Wide(ansi);
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// Names and values go in and come out as code page 936, as through the system's calls.
std::string OurRead(const IniDocument& doc, const std::string& section, const std::string& key) {
  const IniEncoding e = doc.Encoding();
  if (e == IniEncoding::Ansi) return doc.Get(section, key).value_or("");
  const auto value = doc.Get(ToIniText(e, Wide(section)), ToIniText(e, Wide(key)));
  return value ? Ansi(FromIniText(e, *value)) : "";
}

void OurWrite(IniDocument& doc, const std::string& section, const std::string& key, const std::string& value) {
  const IniEncoding e = doc.Encoding();
  if (e == IniEncoding::Ansi) {
    doc.Set(section, key, value);
  } else {
    doc.Set(ToIniText(e, Wide(section)), ToIniText(e, Wide(key)), ToIniText(e, Wide(value)));
  }
}

struct Query {
  std::string section, key;
};

std::vector<Query> Queries(Rng& rng, const GeneratedFile& file) {
  std::vector<Query> queries;
  auto pad = [&rng](const std::string& name) {
    const std::string spaces = rng.Percent(20) ? "  " : "";
    return spaces + MixCase(rng, name) + (rng.Percent(20) ? " " : "");
  };
  for (const auto& s : file.sections) {
    for (const auto& k : file.keys) queries.push_back({pad(s), pad(k)});
    queries.push_back({pad(s), "absent"});
    queries.push_back({pad(s), rng.Percent(50) ? "" : " "});
  }
  queries.push_back({"absent", pad(file.keys[0])});
  return queries;
}

TEST(IniDifferential, ReadsAsTheSystemReads) {
  TempDir dir;
  for (const Form form : kForms) {
    for (std::uint32_t seed = 1; seed <= (form == Form::Ansi ? 300u : 150u); ++seed) {
      Rng rng(seed);
      const GeneratedFile file = Generate(rng, true);
      const std::string bytes = InForm(file.bytes, form);
      const std::string path = dir.Write(bytes);
      const IniDocument doc = IniDocument::FromFile(bytes);
      for (const Query& q : Queries(rng, file)) {
        ASSERT_EQ(OurRead(doc, q.section, q.key), SystemRead(path, q.section, q.key))
            << Name(form) << " seed " << seed << " [" << q.section << "] " << q.key << "\nfile:\n" << file.bytes;
      }
    }
  }
}

TEST(IniDifferential, WritesReadBackAsTheSystemsWrites) {
  TempDir dir;
  for (const Form form : kForms) {
    for (std::uint32_t seed = 1001; seed <= (form == Form::Ansi ? 1150u : 1075u); ++seed) {
      Rng rng(seed);
      GeneratedFile file = Generate(rng, false);
      // Usually a name of the file (replace or add a key), sometimes a new section.
      const std::string section = MixCase(rng, rng.Percent(80) ? rng.Pick(file.sections) : "New Sec");
      const std::string key = MixCase(rng, rng.Percent(80) ? rng.Pick(file.keys) : "newkey");
      if (key.find(' ') != std::string::npos) continue;
      std::string value = Text(rng, rng.Below(40));
      while (!value.empty() && value.back() == ' ') value.pop_back();
      while (!value.empty() && value.front() == ' ') value.erase(0, 1);

      const std::string bytes = InForm(file.bytes, form);
      IniDocument doc = IniDocument::FromFile(bytes);
      OurWrite(doc, section, key, value);
      const std::string ours = dir.Write(doc.FileBytes());
      const std::string theirs = dir.Write(bytes);
      ASSERT_TRUE(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), theirs.c_str()));
      // Both keep the file in the encoding it was found in.
      ASSERT_EQ(dir.Read(theirs).substr(0, 2) == "\xFF\xFE", form == Form::Unicode) << "seed " << seed;
      ASSERT_EQ(dir.Read(ours).substr(0, 2) == "\xFF\xFE", form == Form::Unicode) << "seed " << seed;

      file.sections.push_back("New Sec");
      file.keys.push_back("newkey");
      for (const Query& q : Queries(rng, file)) {
        const std::string expected = SystemRead(theirs, q.section, q.key);
        ASSERT_EQ(OurRead(doc, q.section, q.key), expected)
            << Name(form) << " seed " << seed << " set [" << section << "] " << key << "=" << value << "; asked ["
            << q.section << "] " << q.key << "\nbefore:\n" << file.bytes << "\nafter:\n" << doc.Text();
        ASSERT_EQ(SystemRead(ours, q.section, q.key), expected) << Name(form) << " seed " << seed;
      }
    }
  }
}

}  // namespace
}  // namespace reelmark
