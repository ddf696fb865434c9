#pragma once
// The background music: the settings' file played in a loop through MCI. A file that is missing or
// that MCI cannot open or play is silence; nothing is ever shown.
#include <windows.h>

#include <string>

class Music {
 public:
  Music() = default;
  ~Music();
  Music(const Music&) = delete;
  Music& operator=(const Music&) = delete;

  // Opens the file and starts it; `window` receives MM_MCINOTIFY when a play ends. False (and
  // silence) when MCI cannot open or start it.
  bool Play(const std::wstring& path, HWND window);
  // MM_MCINOTIFY: a play that came to its end starts again; one that failed is not retried.
  void OnNotify(WPARAM code);
  // What MCI says of the music now: "playing", "stopped"... or "" when nothing is open.
  std::wstring Mode() const;
  // What MCI opened the file as ("waveaudio", "mpegvideo"...), or "".
  std::wstring DeviceType() const;

 private:
  std::wstring Ask(const wchar_t* command) const;
  bool open_ = false;
  bool loops_ = false;
  HWND window_ = nullptr;
};
