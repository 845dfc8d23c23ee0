#include "persistence/favourites.h"

#include <string>
#include <utility>

#include "base/numbers.h"
#include "base/path.h"
#include "persistence/ini_document.h"
#include "persistence/ini_encoding.h"
#include "persistence/module_ini.h"
#include "system/platform.h"

namespace reelmark {
namespace {

// The room WriteTime needs: three numbers and two colons.
constexpr size_t kTimeRoom = 3 * kDecimalRoom + 2;

wchar_t* WriteTime(wchar_t* out, std::int32_t time0) {
  const std::int64_t h = time0 / 3600;
  const std::int64_t r = time0 % 3600;
  out = WriteDecimal(out, h, 2);
  *out++ = L':';
  out = WriteDecimal(out, r / 60, 2);
  *out++ = L':';
  return WriteDecimal(out, r % 60, 2);
}

// k for the section of favourite k, named k (1 to 9999, in decimal) and "fav" in any case
// of its letters, as reads compare names; 0 for any other name ("01fav", "1 fav",
// "10000fav" are no favourite's). Every byte of such a name is ASCII, so none can be part
// of a double-byte character.
int FavouriteNumber(std::string_view name) {
  constexpr std::string_view kSuffix = "fav";
  if (name.size() <= kSuffix.size() || name.size() > kSuffix.size() + 4 || name.front() == '0') return 0;
  const std::string_view digits = name.substr(0, name.size() - kSuffix.size());
  const std::string_view suffix = name.substr(digits.size());
  for (size_t i = 0; i < kSuffix.size(); ++i) {
    if ((suffix[i] | 0x20) != kSuffix[i]) return 0;
  }
  int number = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

std::wstring timestr(std::int32_t time0) {
  wchar_t text[kTimeRoom];
  return std::wstring(text, WriteTime(text, time0));
}

std::wstring NumberField(int number) {
  std::wstring field;
  AppendDecimal(field, number, 4);
  return field;
}

std::wstring FormatListLine(int number, std::int32_t shownSeconds, std::wstring_view path) {
  // The columns before the path are put together first, so the line is allocated once at
  // its size: start-up formats thousands of rows.
  wchar_t columns[kDecimalRoom + 2 + kTimeRoom + 2];
  wchar_t* end = WriteDecimal(columns, number, 4);
  *end++ = L'-';
  *end++ = L'-';
  end = WriteTime(end, shownSeconds);
  *end++ = L'-';
  *end++ = L'-';
  const size_t length = static_cast<size_t>(end - columns);
  std::wstring line;
  line.reserve(length + path.size());
  line.append(columns, length).append(path);
  return line;
}

namespace {

// Where the "--" before the path starts, or npos when the line has the usual columns.
// The shortest time text, hh:mm:ss, ends at character 14; a longer one (100 hours and
// more, negative parts) pushes the "--" before the path further right. A time text never
// holds "--" itself, so the first "--" from character 15 on ends it.
size_t LongTimeEnd(std::wstring_view line) {
  const size_t separator = line.size() > 14 ? line.find(L"--", 14) : std::wstring_view::npos;
  return separator == 14 ? std::wstring_view::npos : separator;
}

}  // namespace

std::wstring_view ListLinePath(std::wstring_view line) {
  const size_t separator = LongTimeEnd(line);
  return separator == std::wstring_view::npos ? FromPosition(line, 17) : line.substr(separator + 2);
}

ParsedListLine ParseListLine(std::wstring_view line) {
  double h = 0, m = 0, s = 0;
  ParsedListLine parsed;
  const size_t separator = LongTimeEnd(line);
  if (separator == std::wstring_view::npos) {
    h = LeadingNumber(Mid(line, 7, 2));
    m = LeadingNumber(Mid(line, 10, 2));
    s = LeadingNumber(Mid(line, 13, 2));
  } else {
    std::wstring_view time = line.substr(6, separator - 6);
    double* parts[] = {&h, &m, &s};
    for (double* part : parts) {
      const size_t colon = time.find(L':');
      *part = LeadingNumber(time.substr(0, colon));
      time = colon == std::wstring_view::npos ? std::wstring_view{} : time.substr(colon + 1);
    }
  }
  parsed.path = ListLinePath(line);
  parsed.storedSeconds = RoundHalfEven(h * 3600 + m * 60 + s - kShownOffsetSeconds);
  return parsed;
}

std::int32_t ShownSecondsFromStored(std::wstring_view timeText) {
  return RoundHalfEven(LeadingNumber(timeText) + kShownOffsetSeconds);
}

namespace {

void AppendStoredNumber(std::wstring& out, std::int64_t value) {
  if (value >= 0) out += L' ';
  AppendDecimal(out, value);
}

}  // namespace

std::wstring StoredNumber(std::int64_t value) {
  std::wstring text;
  AppendStoredNumber(text, value);
  return text;
}

FavouritesFile FavouritesFile::Read(Platform& platform, const std::wstring& path) {
  std::optional<std::string> bytes = platform.ReadFileBytes(path);
  if (!bytes) return {};
  return Parse(std::move(*bytes));
}

FavouritesFile FavouritesFile::Parse(std::string bytes) {
  FavouritesFile file;
  file.exists = true;
  const IniDocument doc = IniDocument::FromFile(std::move(bytes));
  file.hasOptions = doc.FindSection("options").has_value();
  file.saved = ModuleIni::ReadIni(doc, kRecoverySection, kSavedKey);
  for (size_t i = 0; i < kOptionKeys.size(); ++i) {
    file.options[i] = ModuleIni::ReadIni(doc, kOptionsSection, kOptionKeys[i]);
  }
  // Thousands of sections, found in one pass over the file's sections rather than looked
  // up one by one; their values pass through the code page together, each as
  // ModuleIni::ReadIni passes it.
  std::vector<std::optional<IniDocument::SectionRef>> numbered(static_cast<size_t>(kMaxFavourites) + 1);
  size_t count = 0;
  doc.ForEachSection([&numbered, &count](std::string_view name, IniDocument::SectionRef section) {
    if (const int k = FavouriteNumber(name)) {
      numbered[static_cast<size_t>(k)] = section;
      ++count;
    }
  });
  std::vector<std::string_view> values;  // Filename and time of 1fav, 2fav, ...
  values.reserve(2 * count);
  for (size_t k = 1; k < numbered.size() && numbered[k]; ++k) {
    const std::optional<std::string_view> path = doc.Find(*numbered[k], "Filename");
    if (!path) break;
    values.push_back(*path);
    values.push_back(doc.Find(*numbered[k], "time").value_or(std::string_view()));
  }
  WideTexts texts = FromIniTexts(doc.Encoding(), values);
  file.text_ = std::make_unique<const std::wstring>(std::move(texts.text));
  const std::wstring_view text(*file.text_);
  const auto value = [&texts, text](size_t i) { return text.substr(texts.spans[i].first, texts.spans[i].second); };
  file.favourites.reserve(texts.size() / 2);
  for (size_t i = 0; i + 1 < texts.size(); i += 2) {
    const std::wstring_view path = TrimSpaces(value(i));
    if (path.empty()) break;  // favourites end at the first section without a film
    file.favourites.push_back({ShownSecondsFromStored(TrimSpaces(value(i + 1))), path});
  }
  return file;
}

std::string ComposeFavouritesFile(const std::array<int, 3>& options, const std::vector<ParsedListLine>& rows,
                                  std::wstring_view tail) {
  // Room for it all at once: shut-down writes thousands of favourites.
  size_t size = 64 + tail.size();
  for (const ParsedListLine& row : rows) size += row.path.size() + 48;
  std::wstring text;
  text.reserve(size);
  text = L"[options]\r\n";
  for (size_t i = 0; i < options.size(); ++i) {
    text += kOptionKeys[i];
    text += L'=';
    AppendStoredNumber(text, options[i]);
    text += L"\r\n";
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    text += L'[';
    AppendDecimal(text, static_cast<std::int64_t>(i + 1));
    text += L"fav]\r\ntime=";
    AppendStoredNumber(text, rows[i].storedSeconds);
    text += L"\r\nFilename=";
    text += rows[i].path;
    text += L"\r\n";
  }
  text += tail;
  // The code page as the profile functions write it, unless a path holds a character the
  // code page has no place for: then the file is Unicode, rather than the path lost to '?'.
  return EncodeWholeIniFile(text);
}

SystemError SaveFavouritesFile(Platform& platform, const std::wstring& path, const std::array<int, 3>& options,
                               const std::vector<ParsedListLine>& rows) {
  const SystemError error =
      platform.ReplaceFileAtomically(path, ComposeFavouritesFile(options, rows), OldAttributes::Clear);
  if (error == 0) platform.SetAttributes(path, kAttributeHidden | kAttributeSystem);
  return error;
}

}  // namespace reelmark
