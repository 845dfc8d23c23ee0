// The test double of the system: files in memory (names without regard to case, with
// attributes), message boxes answered from a script and recorded, simulated top-level
// windows, and a record of every process started, window closed and pause taken.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "system/platform.h"

namespace reelmark::testing {

struct ShownMessage {
  std::wstring text;
  std::wstring title;
  MessageButtons buttons;
  bool operator==(const ShownMessage&) const = default;
};

class FakePlatform : public Platform {
 public:
  struct File {
    std::string bytes;
    std::uint32_t attributes = 0;
  };

  // --- set-up and inspection ---
  std::wstring programDirectory = L"C:\\Player";
  std::wstring Path(const std::wstring& name) const { return programDirectory + L"\\" + name; }
  void PutFile(const std::wstring& path, std::string bytes, std::uint32_t attributes = 0);
  const File* GetFile(const std::wstring& path) const;
  std::string Bytes(const std::wstring& path) const;  // "" when missing

  std::deque<MessageAnswer> answers;  // answers to the next questions, in order
  // Runs while the next message box is open, as a message the window receives meanwhile.
  std::function<void()> whileAsking;
  std::vector<ShownMessage> messages;
  std::vector<TopLevelWindow> windows;  // top of the Z order first
  WindowHandle ownWindow = 1;
  // What a closed window's program writes when it closes (the player recording its state).
  std::map<WindowHandle, std::vector<std::pair<std::wstring, std::string>>> onClose;
  bool canWaitForExit = true;
  std::vector<WindowHandle> closedWindows;
  std::vector<unsigned> sleeps;
  std::vector<unsigned> exitWaits;
  std::vector<std::wstring> startedProcesses;
  std::vector<std::string> popupMenus;  // the names of the menus shown
  int screenWidth = 1024, screenHeight = 768;
  bool ended = false;
  bool destroyed = false;
  bool failWrites = false;  // every write of a file fails
  int writeCount = 0;

  // --- Platform ---
  std::optional<std::string> ReadFileBytes(const std::wstring& path) override;
  bool WriteFileInPlace(const std::wstring& path, std::string_view bytes) override;
  bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes) override;
  bool RemoveFile(const std::wstring& path) override;
  std::optional<std::uint32_t> FileAttributes(const std::wstring& path) override;
  bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
  MessageAnswer ShowMessage(const std::wstring& text, const std::wstring& title, MessageButtons buttons) override;
  void ShowPopupMenu(const Menu& menu) override;
  std::vector<TopLevelWindow> TopLevelWindows() override { return windows; }
  WindowHandle OwnWindow() override { return ownWindow; }
  bool CloseWindowAndWaitForExit(WindowHandle window, unsigned maxWaitMs) override;
  void Sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }
  void StartProcess(const std::wstring& commandLine) override { startedProcesses.push_back(commandLine); }
  std::wstring ProgramDirectory() override { return programDirectory; }
  int ScreenWidth() override { return screenWidth; }
  int ScreenHeight() override { return screenHeight; }
  void EndProgram() override { ended = true; }
  void DestroyMainWindow() override { destroyed = true; }

 private:
  static std::wstring Key(const std::wstring& path);
  bool MayWrite();
  std::map<std::wstring, File> files_;
};

}  // namespace reelmark::testing
