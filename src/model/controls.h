// The simple controls of the window as plain models. The shell shows what they hold
// and is told of every change through the change callback.
#pragma once

#include <functional>
#include <string>

namespace reelmark {

// A label or a button: a caption.
class Captioned {
 public:
  explicit Captioned(std::wstring caption = {}) : caption_(std::move(caption)) {}
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    if (onChange_) onChange_();
  }
  void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  std::wstring caption_;
  std::function<void()> onChange_;
};

using Label = Captioned;
using Button = Captioned;

// A check box: 0 clear, 1 ticked, 2 greyed (only ever set from stored options).
class CheckBox {
 public:
  explicit CheckBox(std::wstring caption = {}) : caption_(std::move(caption)) {}
  const std::wstring& Caption() const { return caption_; }
  int Value() const { return value_; }
  // Setting a value from code is not a click: no click handler runs.
  void SetValue(int value) {
    value_ = value;
    if (onChange_) onChange_();
  }
  // What a user's click does: a clear box is ticked, a ticked or greyed one cleared.
  void Click() { SetValue(value_ == 0 ? 1 : 0); }
  void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  std::wstring caption_;
  int value_ = 0;
  std::function<void()> onChange_;
};

enum class WindowShowState { Normal, Minimized, Maximized };

// The main window's outer rectangle in pixels, its state and visibility.
struct WindowModel {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  WindowShowState state = WindowShowState::Normal;
  bool visible = false;
};

}  // namespace reelmark
