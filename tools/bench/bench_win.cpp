// How quickly the program reacts, and what it costs beside the core: figures for the README,
// printed as Markdown table rows. Not a test: scripts/bench runs it on a quiet machine.
//   LumivaleBench <folder holding Lumivale.scr and LumivaleCore.dll> <runs>
// The CPU figures come from the operating system's own accounting (scripts/bench): Wine does not
// report another process's CPU times.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ui/handles.h"

namespace {

constexpr wchar_t kDialogTitle[] = L"Lumivale! Screen Saver - Setting";
constexpr wchar_t kCoreSettingsTitle[] = L"設定";
constexpr DWORD kDeadlineMs = 20000;

double NowMs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency);
}

// Polls every millisecond; the time at which the condition held, or a negative number on time-out.
double WaitUntil(const std::function<bool()>& ready) {
  const double until = NowMs() + kDeadlineMs;
  for (;;) {
    if (ready()) return NowMs();
    if (NowMs() > until) return -1;
    Sleep(1);
  }
}

// A started program, ended with its run.
struct Process {
  UniqueHandle handle;
  ~Process() {
    if (!handle) return;
    TerminateProcess(handle.get(), 1);
    WaitForSingleObject(handle.get(), 5000);
  }
};

bool Start(Process& p, const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  p.handle.reset(pi.hProcess);
  return true;
}

// Ends every process started from this file name (the cores the host started), and waits for them.
void EndAll(const wchar_t* exeName) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32FirstW(snapshot.get(), &entry); ok; ok = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, exeName) != 0) continue;
    if (UniqueHandle h{OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)}) {
      TerminateProcess(h.get(), 1);
      WaitForSingleObject(h.get(), 5000);
    }
  }
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

SIZE_T PeakWorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

struct Figures {
  std::vector<double> samples;
  int failures = 0;
  void Add(double ms) { ms >= 0 ? samples.push_back(ms) : void(++failures); }
  double Median() {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    if (n == 0) return 0;
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
  }
  void Print(const char* what) {
    if (samples.empty()) {
      std::printf("| %s | no run succeeded |\n", what);
      return;
    }
    const double median = Median();
    std::printf("| %s, median / worst of %zu | %.0f ms / %.0f ms |\n", what, samples.size(), median,
                samples.back());
    if (failures) std::printf("| (%s: %d runs timed out) | |\n", what, failures);
  }
};

struct Bench {
  std::wstring host, minimal, log;
  SIZE_T hostPeak = 0, corePeak = 0;

  void Reset() {
    EndAll(L"LumivaleCore.dll");
    DeleteFileW(log.c_str());
  }

  // From the core's "設定" window being there to the dialog being visible.
  double DialogLatency() {
    Reset();
    Process run;
    if (!Start(run, host, L"/c")) return -1;
    const double core = WaitUntil([] { return FindWindowW(nullptr, kCoreSettingsTitle) != nullptr; });
    HWND dialog = nullptr;
    const double shown = WaitUntil([&] {
      dialog = FindWindowW(nullptr, kDialogTitle);
      return dialog && IsWindowVisible(dialog);
    });
    hostPeak = std::max(hostPeak, PeakWorkingSet(run.handle.get()));
    DWORD corePid = 0;
    GetWindowThreadProcessId(FindWindowW(nullptr, kCoreSettingsTitle), &corePid);
    if (UniqueHandle h{OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, corePid)})
      corePeak = std::max(corePeak, PeakWorkingSet(h.get()));
    return core < 0 || shown < 0 ? -1 : shown - core;
  }

  // From CreateProcess to the core's first line in its log.
  double CoreStart(const std::wstring& program) {
    Reset();
    const double started = NowMs();
    Process run;
    if (!Start(run, program, L"/s")) return -1;
    const double logged = WaitUntil([&] { return Exists(log); });
    return logged < 0 ? -1 : logged - started;
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: LumivaleBench <program folder> <runs>\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int runs = std::max(1, _wtoi(argv[2]));
  Bench bench{folder + L"\\Lumivale.scr", folder + L"\\LumivaleMinimalFrontEnd.exe", folder + L"\\bench-core.log"};
  SetEnvironmentVariableW(L"APPDATA", (folder + L"\\appdata").c_str());
  CreateDirectoryW((folder + L"\\appdata").c_str(), nullptr);
  SetEnvironmentVariableW(L"LUMIVALE_CORE_LOG", bench.log.c_str());

  Figures atStart, late, renamed, viaHost, viaMinimal;
  SetEnvironmentVariableW(L"LUMIVALE_CORE_MODE", nullptr);
  for (int i = 0; i < runs; ++i) atStart.Add(bench.DialogLatency());
  SetEnvironmentVariableW(L"LUMIVALE_CORE_MODE", L"late:500");
  for (int i = 0; i < runs; ++i) late.Add(bench.DialogLatency());
  SetEnvironmentVariableW(L"LUMIVALE_CORE_MODE", L"rename:500");
  for (int i = 0; i < runs; ++i) renamed.Add(bench.DialogLatency());
  // No window: nothing to take down between runs. The two front ends take turns, so that both
  // meet the same machine.
  SetEnvironmentVariableW(L"LUMIVALE_CORE_MODE", L"nowindow");
  for (int i = 0; i < runs; ++i) {
    viaHost.Add(bench.CoreStart(bench.host));
    viaMinimal.Add(bench.CoreStart(bench.minimal));
  }
  bench.Reset();

  atStart.Print("core's \"設定\" window to the dialog visible (window shown at the core's start)");
  late.Print("core's \"設定\" window to the dialog visible (window shown 0.5 s after the core's first)");
  renamed.Print("core's window renamed to \"設定\" to the dialog visible (0.5 s after the core's start)");
  viaHost.Print("start of the program to the core's start");
  viaMinimal.Print("start of a front end that only starts the core and waits, to the core's start");
  if (!viaHost.samples.empty() && !viaMinimal.samples.empty())
    std::printf("| start of the core through the program against through the least front end, ratio of medians | %.2f× |\n",
                viaHost.Median() / viaMinimal.Median());
  std::printf("| peak working set with the dialog open (Wine's count), program / core | %.1f MB / %.1f MB |\n",
              static_cast<double>(bench.hostPeak) / 1048576.0, static_cast<double>(bench.corePeak) / 1048576.0);
  return 0;
}
