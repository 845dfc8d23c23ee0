// Our INI engine: reads and edits INI text the way the Windows private-profile
// functions do, byte-oriented and line-preserving. It walks the text of a file as
// ini_encoding.h decodes it: for an ANSI file the file's own bytes, where double-byte
// characters are walked whole, so a trail byte never acts as '[' or ']' and is never
// case-folded; for a Unicode file UTF-8, whose byte-order mark is no part of the first line.
// Names and values passed in and returned are text in that same form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "persistence/ini_encoding.h"
#include "persistence/section_index.h"

namespace reelmark {

class IniDocument {
 public:
  IniDocument() = default;
  // The text of an ANSI file: its bytes.
  explicit IniDocument(std::string bytes);
  explicit IniDocument(IniText text);
  // A file's bytes, in the encoding they hold.
  static IniDocument FromFile(std::string bytes) { return IniDocument(DecodeIniFile(std::move(bytes))); }

  // The value of the first key named `key` in the first section named `section`
  // (names compared without regard to ASCII case, parameters trimmed of spaces), or
  // nothing when the section or the key is absent. The value is whole: no length limit.
  // Blanks around it are removed and one pair of matching outer quotes is taken off.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // The same value as a view into Text(), without a copy, for callers that read thousands
  // of values; it lasts until the next Set.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // A section as reads find it (the first of its name), to read several of its keys with
  // one look-up; it lasts until the next Set.
  struct SectionRef {
    size_t index = 0;
  };
  std::optional<SectionRef> FindSection(std::string_view section) const;
  std::optional<std::string_view> Find(SectionRef section, std::string_view key) const;
  // Calls visit(name, section) for each section that reads can find, the first of each
  // name, in file order, with its name as the file spells it: one pass for a caller that
  // wants thousands of them.
  template <typename Visit>
  void ForEachSection(Visit visit) const {
    for (size_t i = 0; i < sections_.size(); ++i) {
      if (sections_[i].first) visit(Name(lines_[sections_[i].headerLine]), SectionRef{i});
    }
  }

  // Writes `key=value` as the platform does: an existing key's line is replaced where
  // it stands (keeping the file's spelling of the key), a new key goes after the last
  // key of its section, a new section at the end of the file. Every other byte stays.
  // Returns false when the bytes did not change (the same value was already there).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  IniEncoding Encoding() const { return encoding_; }
  // The text the engine walks (for an ANSI file, the file's bytes).
  const std::string& Text() const { return text_; }
  // The file's bytes, in the encoding it was read in.
  std::string FileBytes() const { return EncodeIniFile(encoding_, text_); }

 private:
  enum class LineKind : unsigned char { Blank, Comment, Header, Key, Other };
  // A line, with the positions of its parts counted from its first byte: 32 bytes, as
  // start-up keeps the 30,000 lines of 9,999 favourites.
  struct Line {
    size_t begin = 0;                 // offset of the line's first byte
    std::uint32_t contentLength = 0;  // up to the line end
    std::uint8_t endLength = 0;       // the line end: CR LF 2, CR or LF 1, none (the last line) 0
    LineKind kind = LineKind::Blank;
    std::uint32_t nameBegin = 0;      // header: the section name; key: the key name; both trimmed
    std::uint32_t nameEnd = 0;
    std::uint32_t valueBegin = 0;     // key: the raw value after the first '=', up to a NUL
    std::uint32_t valueEnd = 0;
    size_t ContentEnd() const { return begin + contentLength; }
    size_t End() const { return ContentEnd() + endLength; }
  };
  // What a line's positions can reach: ParseFrom ends a longer line there.
  static constexpr std::uint64_t kLongestLine = UINT32_MAX;
  struct Section {
    size_t headerLine = 0;  // index into lines_
    size_t hash = 0;        // of its name as reads compare it
    bool first = false;     // the first of its name: the one reads find, in sectionIndex_
  };

  // Replaces `count` bytes at `offset` by `text` and parses again from line `firstLine`
  // (the first line whose bytes change); the lines before it stay as they were.
  void Splice(size_t firstLine, size_t offset, size_t count, std::string_view text);
  void ParseFrom(size_t firstLine, size_t offset);
  // The line from `begin`, whose content ends at `contentEnd` (its CR or LF, or the end).
  Line ReadLine(size_t begin, size_t contentEnd) const;
  size_t SectionEndLine(size_t section) const;
  std::optional<size_t> SectionIndexOf(std::string_view name) const;
  std::optional<size_t> IndexedSection(std::string_view name, size_t hash) const;
  std::optional<size_t> FindKeyLine(size_t section, std::string_view key) const;
  std::string_view Span(size_t begin, size_t end) const {
    return std::string_view(text_).substr(begin, end - begin);
  }
  std::string_view Name(const Line& line) const { return Span(line.begin + line.nameBegin, line.begin + line.nameEnd); }
  std::string_view Value(const Line& line) const {
    return Span(line.begin + line.valueBegin, line.begin + line.valueEnd);
  }

  IniEncoding encoding_ = IniEncoding::Ansi;
  // Bytes at the start of the first line that are no part of it: a Unicode file's mark.
  size_t markLength_ = 0;
  std::string text_;
  std::vector<Line> lines_;  // cover text_ whole, in order
  std::vector<Section> sections_;
  SectionIndex sectionIndex_;
};

}  // namespace reelmark
