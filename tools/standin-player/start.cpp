#include "start.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace standin {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Blank-separated words; a word in quotation marks may hold blanks and loses its marks.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) break;
    std::string word;
    if (text[i] == '"') {
      const size_t close = text.find('"', i + 1);
      word = text.substr(i + 1, (close == std::string::npos ? text.size() : close) - i - 1);
      i = close == std::string::npos ? text.size() : close + 1;
    } else {
      while (i < text.size() && !IsBlank(text[i])) word += text[i++];
    }
    words.push_back(word);
  }
  return words;
}

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string FirstLineOf(const std::string& path) {
  std::string bytes;
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (bytes.find('\n') == std::string::npos && ::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) {
    bytes.append(buffer, read);
  }
  ::CloseHandle(file);
  const size_t end = bytes.find_first_of("\r\n");
  return end == std::string::npos ? bytes : bytes.substr(0, end);
}

}  // namespace

Files FilesBeside(const std::string& programPath) {
  const size_t slash = programPath.find_last_of('\\');
  const std::string dir = slash == std::string::npos ? std::string(".") : programPath.substr(0, slash);
  return {dir + "\\kk.ini", dir + "\\standin.ini", dir + "\\standin.log"};
}

std::string ArgumentsOf(const std::string& commandLine) {
  size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t close = commandLine.find('"', 1);
    i = close == std::string::npos ? commandLine.size() : close + 1;
  }
  while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

std::string ReadProfile(const char* section, const char* key, const std::string& file, const char* fallback) {
  std::vector<char> buffer(32768);
  const DWORD length = ::GetPrivateProfileStringA(section, key, fallback, buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
  return std::string(buffer.data(), length);
}

long long LeadingNumber(const std::string& text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return std::isfinite(value) ? std::llround(value) : 0;
}

Start DecideStart(const std::string& arguments, const Files& files) {
  Start start;
  start.autoResume = LeadingNumber(ReadProfile("Option", "auto_resume", files.settings)) != 0;
  const std::string given = Trimmed(arguments);
  const std::vector<std::string> words = Words(given);
  if (words.empty()) {
    if (start.autoResume && LeadingNumber(ReadProfile("Status", "resume", files.settings)) == 1) {
      start.mode = "resume";
      start.file = ReadProfile("Status", "Filename", files.settings);
      start.at = LeadingNumber(ReadProfile("Status", "Time", files.settings));
    } else {
      start.mode = "none";
    }
  } else if (words.size() >= 2 && ::lstrcmpiA(words[0].c_str(), "-playlist") == 0) {
    // The playlist's path is the rest of the line, in quotation marks when it holds a blank.
    start.mode = "playlist";
    const std::string rest = Trimmed(given.substr(given.find_first_of(" \t")));
    start.file = FirstLineOf(rest.empty() || rest[0] != '"' ? rest : Words(rest)[0]);
  } else {
    start.mode = "files";
    start.file = words[0];
  }
  return start;
}

std::string LogLine(const std::string& arguments, const Start& start) {
  return "args=" + arguments + "\tmode=" + start.mode + "\tfile=" + start.file + "\tat=" + std::to_string(start.at) +
         "\r\n";
}

std::string TitleOf(const Start& start) {
  const size_t slash = start.file.find_last_of('\\');
  return "MPlayer - " + (slash == std::string::npos ? start.file : start.file.substr(slash + 1));
}

}  // namespace standin
