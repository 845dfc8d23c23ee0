// The stand-in player: one window titled like the real player's, a log line per start,
// and on a close request the record of the film and position in the settings file, as
// the real player does with "auto_resume" on. Deterministic: the position never moves,
// and standin.ini can dictate what is recorded and how long recording takes.
#include <windows.h>

#include "start.h"

namespace {

struct Player {
  standin::Files files;
  standin::Start start;
};
Player* player = nullptr;

void AppendToLog(const std::string& path, const std::string& line) {
  const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(file);
}

// What the player writes as it closes: the film and where it stopped, unless the
// control file tells it to report something else.
void RecordState(const Player& p) {
  const char* unset = "\x01";
  const auto delay = standin::LeadingNumber(standin::ReadProfile("standin", "record_delay_ms", p.files.control));
  if (delay > 0) ::Sleep(static_cast<DWORD>(delay));
  std::string file = standin::ReadProfile("standin", "report_file", p.files.control, unset);
  if (file == unset) file = p.start.file;
  std::string time = standin::ReadProfile("standin", "report_time", p.files.control, unset);
  if (time == unset) time = std::to_string(p.start.at);
  ::WritePrivateProfileStringA("Status", "Filename", file.c_str(), p.files.settings.c_str());
  ::WritePrivateProfileStringA("Status", "time", time.c_str(), p.files.settings.c_str());
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (player->start.autoResume) RecordState(*player);
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  char program[MAX_PATH * 4] = {};
  ::GetModuleFileNameA(nullptr, program, sizeof program);
  Player p;
  p.files = standin::FilesBeside(program);
  const std::string arguments = standin::ArgumentsOf(::GetCommandLineA());
  p.start = standin::DecideStart(arguments, p.files);
  AppendToLog(p.files.log, standin::LogLine(arguments, p.start));
  player = &p;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "StandinPlayer";
  ::RegisterClassA(&windowClass);
  const HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, standin::TitleOf(p.start).c_str(),
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 360, 200, nullptr,
                                        nullptr, instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, show);

  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
