#include "persistence/favourites.h"

#include <string>

#include "base/numbers.h"
#include "base/path.h"
#include "persistence/ini_document.h"
#include "persistence/ini_encoding.h"
#include "persistence/module_ini.h"
#include "system/platform.h"

namespace reelmark {
namespace {

void AppendTime(std::wstring& out, std::int32_t time0) {
  const std::int64_t h = time0 / 3600;
  const std::int64_t r = time0 % 3600;
  AppendDecimal(out, h, 2);
  out += L':';
  AppendDecimal(out, r / 60, 2);
  out += L':';
  AppendDecimal(out, r % 60, 2);
}

std::wstring SectionName(size_t number) { return DecimalText(static_cast<std::int64_t>(number)) + L"fav"; }

}  // namespace

std::wstring timestr(std::int32_t time0) {
  std::wstring text;
  AppendTime(text, time0);
  return text;
}

std::wstring NumberField(int number) {
  std::wstring field;
  AppendDecimal(field, number, 4);
  return field;
}

std::wstring FormatListLine(int number, std::int32_t shownSeconds, std::wstring_view path) {
  std::wstring line;
  line.reserve(4 + 2 + 8 + 2 + path.size());
  AppendDecimal(line, number, 4);
  line += L"--";
  AppendTime(line, shownSeconds);
  line += L"--";
  line += path;
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
  const auto bytes = platform.ReadFileBytes(path);
  if (!bytes) return {};
  return Parse(*bytes);
}

FavouritesFile FavouritesFile::Parse(std::string_view bytes) {
  FavouritesFile file;
  file.exists = true;
  const IniDocument doc = IniDocument::FromFile(std::string(bytes));
  for (size_t i = 0; i < kOptionKeys.size(); ++i) {
    file.options[i] = ModuleIni::ReadIni(doc, kOptionsSection, kOptionKeys[i]);
  }
  // Thousands of sections: their names, ASCII, are looked up as they stand, and only the
  // values pass through the code page, as ModuleIni::ReadIni passes them.
  const IniEncoding encoding = doc.Encoding();
  const auto value = [&doc, encoding](const std::string& section, const char* key) {
    const std::optional<std::string> found = doc.Get(section, key);
    return found ? std::wstring(TrimSpaces(FromIniText(encoding, *found))) : std::wstring();
  };
  std::string section;
  for (size_t k = 1; k <= static_cast<size_t>(kMaxFavourites); ++k) {
    section = std::to_string(k);
    section += "fav";
    std::wstring path = value(section, "Filename");
    if (path.empty()) break;  // favourites end at the first section without a film
    file.favourites.push_back({value(section, "time"), std::move(path)});
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

SystemError SaveFavouritesFile(Platform& platform, const std::wstring& path, const std::array<int, 3>& options,
                               const std::vector<ParsedListLine>& rows) {
  const SystemError error =
      platform.ReplaceFileAtomically(path, ComposeFavouritesFile(options, rows), OldAttributes::Clear);
  if (error == 0) platform.SetAttributes(path, kAttributeHidden | kAttributeSystem);
  return error;
}

}  // namespace reelmark
