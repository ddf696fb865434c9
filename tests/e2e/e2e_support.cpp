#include "e2e_support.h"

#include <algorithm>
#include <sstream>

std::wstring BinFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.rfind(L'\\'));
}

std::wstring MakeTempFolder(const std::wstring& hint) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    std::wstring folder = std::wstring(temp) + L"lumivale-" + hint + L"-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
  }
}

bool CopyInto(const std::wstring& folder, const std::wstring& name, const std::wstring& as) {
  return CopyFileW((BinFolder() + L"\\" + name).c_str(), (folder + L"\\" + (as.empty() ? name : as)).c_str(),
                   FALSE);
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buffer[4096];
  DWORD got;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(f);
  return out;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

Process::~Process() {
  if (pi.hProcess) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
  }
  if (pi.hThread) CloseHandle(pi.hThread);
}

bool Process::WaitExit(DWORD ms) { return pi.hProcess && WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi.hProcess, &code);
  return code;
}

bool Start(Process& run, const std::wstring& program, const std::wstring& arguments,
           const std::vector<std::wstring>& environment) {
  // The current environment with the given variables replaced, sorted as Windows keeps it.
  std::vector<std::wstring> vars;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* p = block; *p; p += wcslen(p) + 1) vars.emplace_back(p);
    FreeEnvironmentStringsW(block);
  }
  for (const auto& add : environment) {
    const std::wstring name = add.substr(0, add.find(L'=') + 1);
    std::erase_if(vars, [&](const std::wstring& v) { return _wcsnicmp(v.c_str(), name.c_str(), name.size()) == 0; });
    if (add.size() > name.size()) vars.push_back(add);  // "NAME=" alone removes the variable
  }
  std::wstring block;
  for (const auto& v : vars) block += v + L'\0';
  block += L'\0';

  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                     block.data(), nullptr, &si, &run.pi))
    return true;
  ADD_FAILURE() << "CreateProcessW failed with error " << GetLastError() << " for " << Utf8(program);
  return false;
}

HWND WaitForWindow(const wchar_t* title, DWORD ms, const wchar_t* windowClass) {
  const DWORD until = GetTickCount() + ms;
  do {
    if (HWND w = FindWindowW(windowClass, title)) return w;
    Sleep(20);
  } while (static_cast<int>(until - GetTickCount()) > 0);
  return nullptr;
}

std::string WaitForLogLine(const std::wstring& log, const std::string& prefix, DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  do {
    std::istringstream lines(ReadFileBytes(log));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind(prefix, 0) == 0) return line;
    }
    Sleep(20);
  } while (static_cast<int>(until - GetTickCount()) > 0);
  return {};
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  Sleep(50);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(1, &in[0], sizeof(INPUT));
  Sleep(50);
  SendInput(1, &in[1], sizeof(INPUT));
  Sleep(50);
}

void PressKey(WORD vk, bool shift, bool ctrl, bool alt) {
  std::vector<WORD> held;
  if (shift) held.push_back(VK_LSHIFT);
  if (ctrl) held.push_back(VK_LCONTROL);
  if (alt) held.push_back(VK_LMENU);
  auto send = [](WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
    Sleep(30);
  };
  for (WORD k : held) send(k, false);
  send(vk, false);
  send(vk, true);
  for (auto it = held.rbegin(); it != held.rend(); ++it) send(*it, true);
}

bool WaitGone(HWND window, DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (static_cast<int>(until - GetTickCount()) <= 0) return false;
    Sleep(20);
  }
  return true;
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<ShownWindow> windows;
};

// A named CALLBACK: a lambda does not convert to the stdcall WNDENUMPROC of the i686 build.
BOOL CALLBACK CollectVisibleWindow(HWND w, LPARAM p) {
  auto& s = *reinterpret_cast<WindowSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == s.processId && IsWindowVisible(w)) {
    wchar_t title[256] = {}, windowClass[64] = {};
    GetWindowTextW(w, title, 256);
    GetClassNameW(w, windowClass, 64);
    s.windows.push_back({title, windowClass});
  }
  return TRUE;
}

}  // namespace

std::vector<ShownWindow> VisibleWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

bool WatchUntilExit(Process& run, DWORD ms, std::vector<ShownWindow>& shown) {
  const DWORD until = GetTickCount() + ms;
  for (;;) {
    for (const auto& w : VisibleWindowsOf(run.Id()))
      if (std::find(shown.begin(), shown.end(), w) == shown.end()) shown.push_back(w);
    if (run.WaitExit(20)) return true;
    if (static_cast<int>(until - GetTickCount()) <= 0) return false;
  }
}

std::string Describe(const std::vector<ShownWindow>& windows) {
  std::string out;
  for (const auto& w : windows) out += "[" + Utf8(w.title) + " | " + Utf8(w.windowClass) + "] ";
  return out;
}
