#include "tools/reference-core/music_win.h"

#include <mmsystem.h>

namespace {
// One alias per process: the core plays one file.
constexpr wchar_t kAlias[] = L"lumivale_bgm";
}  // namespace

Music::~Music() {
  if (open_) mciSendStringW(L"close lumivale_bgm", nullptr, 0, nullptr);
}

bool Music::Play(const std::wstring& path, HWND window) {
  if (open_ || path.empty() || path.find(L'"') != std::wstring::npos) return false;
  // The type comes from the file's extension, as the system has registered it.
  const std::wstring open = L"open \"" + path + L"\" alias " + kAlias;
  if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) return false;
  open_ = true;
  window_ = window;
  // A file of no length would end at once and be started again without pause.
  loops_ = Ask(L"status lumivale_bgm length") != L"0";
  return mciSendStringW(L"play lumivale_bgm notify", nullptr, 0, window_) == 0;
}

void Music::OnNotify(WPARAM code) {
  if (!open_ || !loops_ || code != MCI_NOTIFY_SUCCESSFUL) return;
  mciSendStringW(L"seek lumivale_bgm to start", nullptr, 0, nullptr);
  mciSendStringW(L"play lumivale_bgm notify", nullptr, 0, window_);
}

std::wstring Music::Ask(const wchar_t* command) const {
  wchar_t answer[128] = L"";
  if (!open_ || mciSendStringW(command, answer, 128, nullptr) != 0) return L"";
  return answer;
}

std::wstring Music::Mode() const { return Ask(L"status lumivale_bgm mode"); }
std::wstring Music::DeviceType() const { return Ask(L"capability lumivale_bgm device type"); }
