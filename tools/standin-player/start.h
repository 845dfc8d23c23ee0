// What the stand-in player opens when it starts, decided from its command line and the
// player settings file, as the real player would; and the few files it keeps beside it.
// All text is in the ANSI code page, like the settings file and the command line.
#pragma once

#include <string>

namespace standin {

// The files beside the program.
struct Files {
  std::string settings;  // kk.ini, the player's settings
  std::string control;   // standin.ini: [standin] report_file, report_time, record_delay_ms
  std::string log;       // standin.log: one line per start
};
Files FilesBeside(const std::string& programPath);

// The command line after the program's name, exactly as received (the blank that
// separates it included).
std::string ArgumentsOf(const std::string& commandLine);

struct Start {
  std::string mode;  // resume, playlist, files or none
  std::string file;  // the film it plays; empty when none
  long long at = 0;  // the position it starts at, in seconds
  bool autoResume = false;  // read once at start, as the real player does
};
Start DecideStart(const std::string& arguments, const Files& files);

// The log line of a start, CR LF included.
std::string LogLine(const std::string& arguments, const Start& start);
// "MPlayer - " and the film's file name.
std::string TitleOf(const Start& start);

// A key of a profile file; `fallback` when the key is absent.
std::string ReadProfile(const char* section, const char* key, const std::string& file, const char* fallback = "");
// The number at the start of a text, rounded (0 when there is none).
long long LeadingNumber(const std::string& text);

}  // namespace standin
