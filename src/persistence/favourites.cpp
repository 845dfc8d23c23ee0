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

std::wstring SectionName(size_t number) { return DecimalText(static_cast<std::int64_t>(number)) + L"fav"; }

// k for the section name SectionName(k) as reads compare it (in lower case), k from 1 to
// 9999; 0 for any other name ("01fav", "1 fav", "10000fav" are no favourite's).
int FavouriteNumber(std::string_view name) {
  constexpr std::string_view kSuffix = "fav";
  if (name.size() <= kSuffix.size() || name.size() > kSuffix.size() + 4 || !name.ends_with(kSuffix)) return 0;
  if (name.front() == '0') return 0;
  int number = 0;
  for (const char c : name.substr(0, name.size() - kSuffix.size())) {
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

std::wstring StoredNumber(std::int64_t value) {
  return value < 0 ? DecimalText(value) : L" " + DecimalText(value);
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
  for (size_t i = 0; i < kOptionKeys.size(); ++i) {
    file.options[i] = ModuleIni::ReadIni(doc, kOptionsSection, kOptionKeys[i]);
  }
  // Thousands of sections, found in one pass over the file's sections rather than looked
  // up one by one; their values pass through the code page together, each as
  // ModuleIni::ReadIni passes it.
  std::vector<std::optional<IniDocument::SectionRef>> numbered(static_cast<size_t>(kMaxFavourites) + 1);
  doc.ForEachSection([&numbered](std::string_view name, IniDocument::SectionRef section) {
    if (const int k = FavouriteNumber(name)) numbered[static_cast<size_t>(k)] = section;
  });
  std::vector<std::string_view> values;  // Filename and time of 1fav, 2fav, ...
  for (size_t k = 1; k < numbered.size() && numbered[k]; ++k) {
    const std::optional<std::string_view> path = doc.Find(*numbered[k], "Filename");
    if (!path) break;
    values.push_back(*path);
    values.push_back(doc.Find(*numbered[k], "time").value_or(std::string_view()));
  }
  const WideTexts texts = FromIniTexts(doc.Encoding(), values);
  file.favourites.reserve(texts.size() / 2);
  for (size_t i = 0; i + 1 < texts.size(); i += 2) {
    const std::wstring_view path = TrimSpaces(texts[i]);
    if (path.empty()) break;  // favourites end at the first section without a film
    file.favourites.push_back({ShownSecondsFromStored(TrimSpaces(texts[i + 1])), std::wstring(path)});
  }
  return file;
}

std::string ComposeFavouritesFile(const std::array<int, 3>& options, const std::vector<ParsedListLine>& rows) {
  std::wstring text = L"[options]\r\n";
  for (size_t i = 0; i < options.size(); ++i) {
    text += kOptionKeys[i];
    text += L'=';
    text += StoredNumber(options[i]);
    text += L"\r\n";
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    text += L'[';
    text += SectionName(i + 1);
    text += L"]\r\ntime=";
    text += StoredNumber(rows[i].storedSeconds);
    text += L"\r\nFilename=";
    text += rows[i].path;
    text += L"\r\n";
  }
  // The code page as the profile functions write it, unless a path holds a character the
  // code page has no place for: then the file is Unicode, rather than the path lost to '?'.
  return EncodeWholeIniFile(text);
}

bool SaveFavouritesFile(Platform& platform, const std::wstring& path, const std::array<int, 3>& options,
                        const std::vector<ParsedListLine>& rows) {
  if (!platform.ReplaceFileAtomically(path, ComposeFavouritesFile(options, rows))) return false;
  platform.SetAttributes(path, kAttributeHidden | kAttributeSystem);
  return true;
}

}  // namespace reelmark
