#include "persistence/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "base/text.h"

namespace reelmark {
namespace {

// The blanks the profile functions strip from names and values inside the file.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

// Length of the character starting at `i` of `text`: in the ANSI code page 2 for a lead
// byte followed by a byte that can trail it, else 1. Trail bytes start at 0x40, so line
// ends, NUL and '=' are always characters of their own, while '[', '\\' and ']' may be
// trail bytes. In UTF-8 no byte of a longer character is below 0x80, so the engine may
// walk it byte by byte.
size_t CharLength(std::string_view text, size_t i, IniEncoding encoding) {
  // No code page has a lead byte below 0x80: ASCII needs no call to the system.
  if (encoding != IniEncoding::Ansi || static_cast<unsigned char>(text[i]) < 0x80) return 1;
  if (i + 1 < text.size() && IsAnsiLeadByte(static_cast<unsigned char>(text[i])) &&
      static_cast<unsigned char>(text[i + 1]) >= 0x40) {
    return 2;
  }
  return 1;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The caller's names lose 0x20 spaces only; a TAB in a name is part of the name. The
// names reach the platform as C strings, so a NUL ends them.
std::string_view CleanParameter(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compare without regard to the case of ASCII letters, folded to lower case; a
// double-byte character is kept whole, so a trail byte that looks like a letter is never
// folded. The hash is FNV-1a over the folded name, so names that compare equal hash equal.
size_t FoldedHash(std::string_view name, IniEncoding encoding) {
  std::uint32_t hash = 2166136261u;
  const auto mix = [&hash](char c) { hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u; };
  for (size_t i = 0; i < name.size(); ++i) {
    if (static_cast<unsigned char>(name[i]) >= 0x80 && CharLength(name, i, encoding) == 2) {
      mix(name[i]);
      mix(name[++i]);
    } else {
      mix(AsciiLower(name[i]));
    }
  }
  return hash;
}

// Whether the two names are the same once folded, without folding either. Where `a` holds
// a double-byte character, `b` matches only with the same bytes, which make the same
// character of it; where `a` holds a single byte below 0x80, so must `b`.
bool SameName(std::string_view a, std::string_view b, IniEncoding encoding) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;  // the usual case, at the speed of the library
  for (size_t i = 0; i < a.size(); ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x80) {
      const size_t n = CharLength(a, i, encoding);
      if (a.substr(i, n) != b.substr(i, n)) return false;
      i += n - 1;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

// One pair of matching outer quotes is how a value keeps its outer blanks.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

constexpr std::string_view kNewLine = "\r\n";

// Through the library's search, which looks at many bytes at a time, whatever the build.
size_t CountLineFeeds(std::string_view text) {
  size_t count = 0;
  for (size_t i = text.find('\n'); i != text.npos; i = text.find('\n', i + 1)) ++count;
  return count;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : text_(std::move(bytes)) { ParseFrom(0, 0); }

IniDocument::IniDocument(IniText text) : encoding_(text.encoding), text_(std::move(text.text)) {
  if (encoding_ != IniEncoding::Ansi && std::string_view(text_).substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    markLength_ = kUtf8Mark.size();
  }
  ParseFrom(0, 0);
}

IniDocument::Line IniDocument::ReadLine(size_t begin, size_t contentEnd) const {
  const std::string_view all(text_);
  Line line;
  line.begin = begin;
  line.contentLength = static_cast<std::uint32_t>(contentEnd - begin);
  if (contentEnd < all.size() && (all[contentEnd] == '\r' || all[contentEnd] == '\n')) {
    line.endLength = all[contentEnd] == '\r' && contentEnd + 1 < all.size() && all[contentEnd + 1] == '\n' ? 2 : 1;
  }

  // A Unicode file's mark opens its first line without being part of it, so the line
  // can still be a section header.
  const size_t contentBegin = begin == 0 ? std::min(markLength_, contentEnd) : begin;
  const std::string_view content = Span(contentBegin, contentEnd);
  // Where a part of the content lies, counted from the line's first byte.
  const auto from = [&content, contentBegin, begin](std::string_view part) {
    return static_cast<std::uint32_t>(contentBegin - begin + static_cast<size_t>(part.data() - content.data()));
  };
  size_t first = 0;
  while (first < content.size() && IsBlank(content[first])) ++first;
  if (first == content.size()) return line;  // Blank
  if (content[first] == ';') {
    line.kind = LineKind::Comment;
    return line;
  }
  if (content[first] == '[') {
    // The name ends at the first ']'; without one it runs to the end of the line.
    size_t close = first + 1;
    while (close < content.size() && content[close] != ']') close += CharLength(content, close, encoding_);
    const std::string_view name = TrimBlanks(content.substr(first + 1, close - first - 1));
    line.kind = LineKind::Header;
    line.nameBegin = from(name);
    line.nameEnd = line.nameBegin + static_cast<std::uint32_t>(name.size());
    return line;
  }
  const size_t eq = content.find('=');
  if (eq == std::string_view::npos) {
    line.kind = LineKind::Other;
    return line;
  }
  const std::string_view name = TrimBlanks(content.substr(0, eq));
  std::string_view value = content.substr(eq + 1);
  value = value.substr(0, value.find('\0'));
  line.kind = LineKind::Key;
  line.nameBegin = from(name);
  line.nameEnd = line.nameBegin + static_cast<std::uint32_t>(name.size());
  line.valueBegin = from(value);
  line.valueEnd = line.valueBegin + static_cast<std::uint32_t>(value.size());
  return line;
}

void IniDocument::ParseFrom(size_t firstLine, size_t offset) {
  lines_.resize(firstLine);
  while (!sections_.empty() && sections_.back().headerLine >= firstLine) {
    if (sections_.back().first) sectionIndex_.Remove(sections_.back().hash, sections_.size() - 1);
    sections_.pop_back();
  }
  if (firstLine == 0) {
    // Room for every line at once: start-up parses thousands of favourites in one go,
    // and growing the table step by step costs more than reading the lines.
    lines_.reserve(CountLineFeeds(text_) + 1);
  }
  const std::string_view all(text_);
  size_t lf = std::min(all.find('\n', offset), all.size());  // the next LF from pos on
  for (size_t pos = offset; pos < all.size();) {
    if (lf < pos) lf = std::min(all.find('\n', pos), all.size());
    // A line ends at its first CR or LF. Two searches through the library are far quicker
    // than a look at each byte, and the LF found serves every CR-ended line before it.
    size_t end = std::min(all.substr(pos, lf - pos).find('\r'), lf - pos) + pos;
    // A line keeps its positions in 32 bits; one longer than that (the platform reads no
    // file so large) goes on as the next line.
    if (static_cast<std::uint64_t>(end - pos) > kLongestLine) end = pos + static_cast<size_t>(kLongestLine);
    const Line line = ReadLine(pos, end);
    pos = line.End();
    if (line.kind == LineKind::Header) {
      const std::string_view name = Name(line);
      Section section{lines_.size(), FoldedHash(name, encoding_)};
      // Only the first section of a name is ever searched.
      section.first = !IndexedSection(name, section.hash);
      if (section.first) sectionIndex_.Add(section.hash, sections_.size());
      sections_.push_back(section);
    }
    lines_.push_back(line);
  }
}

void IniDocument::Splice(size_t firstLine, size_t offset, size_t count, std::string_view text) {
  const size_t start = firstLine < lines_.size() ? lines_[firstLine].begin : text_.size();
  text_.replace(offset, count, text);
  ParseFrom(firstLine, start);
}

size_t IniDocument::SectionEndLine(size_t section) const {
  return section + 1 < sections_.size() ? sections_[section + 1].headerLine : lines_.size();
}

std::optional<size_t> IniDocument::IndexedSection(std::string_view name, size_t hash) const {
  return sectionIndex_.Find(hash, [this, name](size_t section) {
    return SameName(Name(lines_[sections_[section].headerLine]), name, encoding_);
  });
}

std::optional<size_t> IniDocument::SectionIndexOf(std::string_view name) const {
  return IndexedSection(name, FoldedHash(name, encoding_));
}

std::optional<IniDocument::SectionRef> IniDocument::FindSection(std::string_view section) const {
  const auto s = SectionIndexOf(CleanParameter(section));
  if (!s) return std::nullopt;
  return SectionRef{*s};
}

std::optional<size_t> IniDocument::FindKeyLine(size_t section, std::string_view key) const {
  for (size_t i = sections_[section].headerLine + 1, end = SectionEndLine(section); i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::Key && SameName(Name(line), key, encoding_)) return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const auto s = FindSection(section);
  if (!s) return std::nullopt;
  return Find(*s, key);
}

std::optional<std::string_view> IniDocument::Find(SectionRef section, std::string_view key) const {
  const auto k = FindKeyLine(section.index, CleanParameter(key));
  if (!k) return std::nullopt;
  return Unquote(TrimBlanks(Value(lines_[*k])));
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
  const std::optional<std::string_view> value = Find(section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = CleanParameter(section);
  key = CleanParameter(key);
  value = value.substr(0, value.find('\0'));
  std::string keyLine;
  keyLine.reserve(key.size() + value.size() + 3);
  keyLine.append(key).append("=").append(value).append(kNewLine);

  const bool lastUnterminated = !lines_.empty() && lines_.back().endLength == 0;
  const auto s = SectionIndexOf(section);
  if (!s) {
    // A new section goes at the end of the file, with no blank line before it.
    std::string text;
    if (lastUnterminated) text.append(kNewLine);
    text.append("[").append(section).append("]").append(kNewLine).append(keyLine);
    Splice(lastUnterminated ? lines_.size() - 1 : lines_.size(), text_.size(), 0, text);
    return true;
  }

  if (const auto k = FindKeyLine(*s, key)) {
    const Line line = lines_[*k];
    if (TrimBlanks(Value(line)) == value) return false;
    // The line keeps its place, the file's spelling of the key and its own line end.
    std::string replaced(Name(line));
    replaced.append("=").append(value);
    replaced.append(line.endLength > 0 ? Span(line.ContentEnd(), line.End()) : kNewLine);
    if (replaced == Span(line.begin, line.End())) return false;
    Splice(*k, line.begin, line.End() - line.begin, replaced);
    return true;
  }

  // A new key follows the section's last entry, ahead of the comments and blank lines
  // that end the section. Lines without '=' count as entries: the platform lists them
  // among the section's entries.
  size_t after = sections_[*s].headerLine;
  for (size_t i = SectionEndLine(*s); i-- > after + 1;) {
    if (lines_[i].kind == LineKind::Key || lines_[i].kind == LineKind::Other) {
      after = i;
      break;
    }
  }
  const Line line = lines_[after];
  if (line.endLength == 0) {  // the file's unterminated last line
    Splice(after, line.End(), 0, std::string(kNewLine) + keyLine);
  } else {
    Splice(after + 1, line.End(), 0, keyLine);
  }
  return true;
}

}  // namespace reelmark
