#pragma once
// Enter saves the settings dialog only when its press and its release both reach the dialog (or
// its path box). A window that closes on the press (the open-file dialog does) gives the keyboard
// back to the dialog before the release: that release alone must not save.
class EnterSave {
 public:
  static constexpr unsigned kEnter = 13;

  // A key pressed on the dialog; modifier: Shift, Ctrl or Alt held. Any other key disarms.
  void KeyDown(unsigned key, bool modifier) { armed_ = key == kEnter && !modifier; }
  // A key released on the dialog; true when this release saves.
  bool KeyUp(unsigned key, bool modifier) {
    if (key != kEnter) return false;
    const bool save = armed_ && !modifier;
    armed_ = false;
    return save;
  }
  // The dialog or its path box lost the keyboard.
  void FocusLost() { armed_ = false; }

 private:
  bool armed_ = false;
};
