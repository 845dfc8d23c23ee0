#include "player_files.h"

#include <windows.h>

#include "text.h"

namespace e2e {
namespace {

std::wstring Number(long long n) {
  // The program's number form: a leading blank when not negative.
  return (n >= 0 ? L" " : L"") + std::to_wstring(n);
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::vector<std::wstring_view> Lines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  while (!text.empty()) {
    const size_t end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::wstring_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::string FavouritesFile(const Options& options, const std::vector<StoredFavourite>& favourites) {
  return ToCp936(FavouritesText(options, favourites));
}

std::wstring FavouritesText(const Options& options, const std::vector<StoredFavourite>& favourites) {
  std::wstring text = L"[options]\r\nDelLast=" + Number(options.delLast) + L"\r\nDelLastPath=" +
                      Number(options.delLastPath) + L"\r\nDblExit=" + Number(options.dblExit) + L"\r\n";
  for (size_t i = 0; i < favourites.size(); ++i) {
    text += L"[" + std::to_wstring(i + 1) + L"fav]\r\ntime=" + Number(favourites[i].time) + L"\r\nFilename=" +
            favourites[i].path + L"\r\n";
  }
  return text;
}

std::string Utf16LeFile(std::wstring_view text) {
  static_assert(sizeof(wchar_t) == 2, "the driver runs on Windows, where wchar_t is UTF-16");
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::optional<std::wstring> IniValue(std::string_view bytes, std::wstring_view section, std::wstring_view key) {
  const std::wstring text = FromCp936(bytes);
  bool inSection = false;
  for (std::wstring_view line : Lines(text)) {
    const std::wstring_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == L'[') {
      const size_t close = trimmed.find(L']');
      inSection = close != std::wstring_view::npos && SameName(Trim(trimmed.substr(1, close - 1)), section);
      continue;
    }
    const size_t equals = trimmed.find(L'=');
    if (inSection && equals != std::wstring_view::npos && SameName(Trim(trimmed.substr(0, equals)), key)) {
      return std::wstring(Trim(trimmed.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

std::wstring Row(int number, std::wstring_view shownTime, std::wstring_view path) {
  wchar_t digits[16];
  swprintf(digits, 16, L"%04d", number);
  return std::wstring(digits) + L"--" + std::wstring(shownTime) + L"--" + std::wstring(path);
}

std::wstring FileNameOf(std::wstring_view path) {
  const size_t slash = path.rfind(L'\\');
  return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::string StandinControlFile(const StandinControl& control) {
  std::wstring text = L"[standin]\r\n";
  if (!control.reportFile.empty()) text += L"report_file=" + control.reportFile + L"\r\n";
  if (control.reportTime) text += L"report_time=" + std::to_wstring(*control.reportTime) + L"\r\n";
  if (control.recordDelayMs) text += L"record_delay_ms=" + std::to_wstring(*control.recordDelayMs) + L"\r\n";
  return ToCp936(text);
}

std::vector<LogLine> ParseStandinLog(std::string_view bytes) {
  std::vector<LogLine> log;
  const std::wstring text = FromCp936(bytes);
  for (std::wstring_view line : Lines(text)) {
    if (line.empty()) continue;
    LogLine fields;
    while (true) {
      const size_t tab = line.find(L'\t');
      const std::wstring_view field = line.substr(0, tab);
      const size_t equals = field.find(L'=');
      if (equals != std::wstring_view::npos) {
        fields[std::wstring(field.substr(0, equals))] = std::wstring(field.substr(equals + 1));
      }
      if (tab == std::wstring_view::npos) break;
      line.remove_prefix(tab + 1);
    }
    log.push_back(std::move(fields));
  }
  return log;
}

}  // namespace e2e
