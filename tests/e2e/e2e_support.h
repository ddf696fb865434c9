#pragma once
// Runs Lumivale.scr as Windows would, from a fresh program folder beside a fresh APPDATA.
#include <windows.h>

#include <string>
#include <vector>

std::wstring BinFolder();
std::wstring MakeTempFolder(const std::wstring& hint);
bool CopyInto(const std::wstring& folder, const std::wstring& name);
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

struct Process {
  PROCESS_INFORMATION pi{};
  ~Process();
  // Waits for the process to end; false when it did not within the deadline.
  bool WaitExit(DWORD ms);
  DWORD ExitCode() const;
};

// Starts `program arguments` with extra environment variables (NAME=value) added or replaced.
bool Start(Process& run, const std::wstring& program, const std::wstring& arguments,
           const std::vector<std::wstring>& environment);

// Waits until a top-level window with this exact title exists; 0 on time-out.
HWND WaitForWindow(const wchar_t* title, DWORD ms);
// Waits until the core's log holds a line starting with prefix; returns that line or "".
std::string WaitForLogLine(const std::wstring& log, const std::string& prefix, DWORD ms);
std::string Hex(const std::string& bytes);
