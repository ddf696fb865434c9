// The settings writer under failure, on real files: every disk call of a write made to fail in
// turn, then the real conditions that make a write fail. After each, the file on disk is the old
// file whole or the new one whole, nothing is left beside it, and the result says which.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "settings/set_form.h"
#include "settings/settings_store.h"
#include "ui/handles.h"
#include "ui/wide.h"

namespace {

// ---- Another program holding the file: this program started again with LUMIVALE_TEST_HOLD set to
// "<file>|<ready event>|<release event>". It opens the file as a reader that lets others read and
// write but not delete, signals, and keeps it open until released; it never reaches the tests.

constexpr wchar_t kHoldVariable[] = L"LUMIVALE_TEST_HOLD";

int HoldFileIfAsked() {
  std::wstring value(1024, L'\0');
  const DWORD n = GetEnvironmentVariableW(kHoldVariable, value.data(), static_cast<DWORD>(value.size()));
  if (n == 0 || n >= value.size()) return 0;
  value.resize(n);
  const auto a = value.find(L'|'), b = value.rfind(L'|');
  if (a == b) ExitProcess(3);
  UINT code = 0;
  {
    UniqueHandle file(CreateFileW(value.substr(0, a).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, value.substr(a + 1, b - a - 1).c_str()));
    UniqueHandle release(OpenEventW(SYNCHRONIZE, FALSE, value.substr(b + 1).c_str()));
    if (!file || !ready || !release) code = 2;
    else if (!SetEvent(ready.get()) || WaitForSingleObject(release.get(), 60000) != WAIT_OBJECT_0) code = 1;
  }
  ExitProcess(code);
}
[[maybe_unused]] const int holdFile = HoldFileIfAsked();

class FileHolder {
 public:
  explicit FileHolder(const std::wstring& path) {
    static int serial = 0;
    const std::wstring tag = std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    const std::wstring readyName = L"Local\\lumivale-hold-ready-" + tag;
    const std::wstring releaseName = L"Local\\lumivale-hold-release-" + tag;
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    release_.reset(CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str()));
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    std::wstring commandLine = L"\"" + self + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    SetEnvironmentVariableW(kHoldVariable, (path + L"|" + readyName + L"|" + releaseName).c_str());
    const BOOL started = CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(kHoldVariable, nullptr);
    if (!started) return;
    CloseHandle(pi.hThread);
    process_.reset(pi.hProcess);
    const HANDLE either[] = {ready_.get(), process_.get()};
    holding_ = WaitForMultipleObjects(2, either, FALSE, 30000) == WAIT_OBJECT_0;
  }
  ~FileHolder() { Release(); }
  bool holding() const { return holding_; }
  // Lets the holder close the file and end; its exit code (0: it held the file as asked).
  DWORD Release() {
    DWORD code = STILL_ACTIVE;
    if (!process_) return code;
    SetEvent(release_.get());
    if (WaitForSingleObject(process_.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 9);
    GetExitCodeProcess(process_.get(), &code);
    process_.reset();
    return code;
  }

 private:
  UniqueHandle ready_, release_, process_;
  bool holding_ = false;
};

// ---- The disk calls of a write, recorded and made to fail on request. The table holds plain
// function pointers, so the record is this program's own state; one write runs at a time.

enum class Step { CreateDirectory, CreateFile, WriteFile, FlushFileBuffers, GetAttributes, SetAttributes, MoveFile, DeleteFile };
const char* const kStepNames[] = {"CreateDirectoryW", "CreateFileW", "WriteFile", "FlushFileBuffers",
                                  "GetFileAttributesW", "SetFileAttributesW", "MoveFileExW", "DeleteFileW"};

enum class Fault { Fails, WritesNothing, WritesHalf };  // the last two only for WriteFile
const char* const kFaultNames[] = {"fails", "writes nothing", "writes half"};

struct Call {
  Step step;
  std::wstring path;  // the first path the call names; empty for calls on a handle
};

struct Injection {
  std::vector<Call> calls;
  std::size_t failAt = SIZE_MAX;
  Fault fault = Fault::Fails;
} injection;

// Records the call; true when it is the one to fail.
bool Fails(Step step, const wchar_t* path = nullptr) {
  injection.calls.push_back({step, path ? path : L""});
  if (injection.calls.size() - 1 != injection.failAt) return false;
  SetLastError(ERROR_ACCESS_DENIED);
  return true;
}

BOOL WINAPI InjectCreateDirectory(LPCWSTR path, LPSECURITY_ATTRIBUTES security) {
  return Fails(Step::CreateDirectory, path) ? FALSE : CreateDirectoryW(path, security);
}
HANDLE WINAPI InjectCreateFile(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile) {
  return Fails(Step::CreateFile, path) ? INVALID_HANDLE_VALUE
                                       : CreateFileW(path, access, share, security, disposition, flags, templateFile);
}
BOOL WINAPI InjectWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  if (Fails(Step::WriteFile)) {
    if (injection.fault == Fault::Fails) {
      SetLastError(ERROR_DISK_FULL);
      return FALSE;
    }
    if (injection.fault == Fault::WritesNothing) {
      *written = 0;
      return TRUE;
    }
    size /= 2;  // a short write: part of the bytes, reported as such
  }
  return WriteFile(file, data, size, written, overlapped);
}
BOOL WINAPI InjectFlush(HANDLE file) { return Fails(Step::FlushFileBuffers) ? FALSE : FlushFileBuffers(file); }
DWORD WINAPI InjectGetAttributes(LPCWSTR path) {
  return Fails(Step::GetAttributes, path) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path);
}
BOOL WINAPI InjectSetAttributes(LPCWSTR path, DWORD attributes) {
  return Fails(Step::SetAttributes, path) ? FALSE : SetFileAttributesW(path, attributes);
}
BOOL WINAPI InjectMove(LPCWSTR from, LPCWSTR to, DWORD flags) {
  return Fails(Step::MoveFile, from) ? FALSE : MoveFileExW(from, to, flags);
}
BOOL WINAPI InjectDelete(LPCWSTR path) { return Fails(Step::DeleteFile, path) ? FALSE : DeleteFileW(path); }

SettingsDiskCalls InjectingCalls() {
  SettingsDiskCalls calls;
  calls.createDirectory = InjectCreateDirectory;
  calls.createFile = InjectCreateFile;
  calls.writeFile = InjectWriteFile;
  calls.flushFileBuffers = InjectFlush;
  calls.getFileAttributes = InjectGetAttributes;
  calls.setFileAttributes = InjectSetAttributes;
  calls.moveFileEx = InjectMove;
  calls.deleteFile = InjectDelete;
  return calls;
}

// The Win32 file system with the injecting calls, keeping what each write reported.
class RecordingDisk : public SettingsFileSystem {
 public:
  std::vector<IoResult> writes;

  IoResult ReadAll(const Text& path, Bytes& content) override { return disk_.ReadAll(path, content); }
  bool FileExists(const Text& path) override { return disk_.FileExists(path); }
  bool FolderExists(const Text& path) override { return disk_.FolderExists(path); }
  IoResult CreateFolder(const Text& path) override { return disk_.CreateFolder(path); }
  IoResult ReplaceContents(const Text& path, const Bytes& content) override {
    writes.push_back(disk_.ReplaceContents(path, content));
    return writes.back();
  }

 private:
  Win32SettingsFileSystem disk_{InjectingCalls()};
};

// ---- Files.

struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};

void RemoveTree(const std::wstring& path) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileW(path.c_str())) return;
  WIN32_FIND_DATAW found;
  const HANDLE first = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (first != INVALID_HANDLE_VALUE) {
    std::unique_ptr<void, FindCloser> find(first);
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
    } while (FindNextFileW(find.get(), &found));
  }
  RemoveDirectoryW(path.c_str());
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes, DWORD attributes) {
  {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
      return false;
  }
  return SetFileAttributesW(path.c_str(), attributes) != FALSE;
}

std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// ---- What is on disk before a write, and which write runs.

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kReadOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

// An old file that loading normalises: it must be rewritten, so old and new always differ.
const std::string kOldFile = "<LumivaleScreenServer><InterpolationMode>3</InterpolationMode><Omake1>2</Omake1>";
const SettingsRecord kNormalised{3, u"", true, false};
const SettingsRecord kDefaults{5, u"", false, false};
const SettingsRecord kSaved{7, u"", false, true};

struct Scene {
  const char* name;
  bool load;  // LoadSettingsFrom (normalise what is there), else SaveSettingsTo
  bool appData = true;
  bool folder = true;
  bool oldFile = true;
  DWORD oldAttributes = FILE_ATTRIBUTE_NORMAL;
  bool heldOpen = false;  // by another process, reading without delete sharing
  bool leftover = false;  // a read-only hidden "<file>.new" from an earlier failed write
};

// Either: the old file or the new one, as the system decides (see ExpectedAfter).
enum class Outcome { Old, New, Nothing, Either };
const char* const kOutcomeNames[] = {"the old file", "the new file", "no file", "the old or the new file"};

class SettingsFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root = std::wstring(temp) + L"lumivale-faults-" + std::to_wstring(GetCurrentProcessId());
    appData = root + L"\\AppData";
    folder = appData + L"\\Lumivale!!";
    file = folder + L"\\Lumivale!!.xml";
  }
  void TearDown() override { RemoveTree(root); }

  // Sets the disk as the scene has it; false when it cannot.
  bool Prepare(const Scene& scene) {
    RemoveTree(root);
    return CreateDirectoryW(root.c_str(), nullptr) &&
           (!scene.appData || CreateDirectoryW(appData.c_str(), nullptr)) &&
           (!scene.folder || CreateDirectoryW(folder.c_str(), nullptr)) &&
           (!scene.oldFile || WriteBytes(file, kOldFile, scene.oldAttributes)) &&
           (!scene.leftover || WriteBytes(file + L".new", "half a file", kReadOnlyHidden));
  }

  std::vector<IoResult> Write(const Scene& scene) {
    RecordingDisk disk;
    SettingsRecord settings{1, u"", false, false};
    if (scene.load)
      LoadSettingsFrom(disk, FromWide(file), FromWide(root + L"\\Lumivale BGM.mp3"), settings);
    else
      SaveSettingsTo(disk, FromWide(file), kSaved);
    return disk.writes;
  }

  // Old file or new file whole, nothing beside it, sensible attributes, and a result that agrees.
  void Check(const Scene& scene, Outcome expected, const std::vector<IoResult>& writes) {
    SCOPED_TRACE(std::string("expected ") + kOutcomeNames[static_cast<int>(expected)]);
    const std::optional<std::string> bytes = ReadBytes(file);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    const std::string newBytes = AsString(SettingsFileBytes(!scene.load ? kSaved : scene.oldFile ? kNormalised : kDefaults));
    if (expected == Outcome::Either) expected = bytes == newBytes ? Outcome::New : Outcome::Old;
    switch (expected) {
      case Outcome::Old:
        EXPECT_EQ(bytes, kOldFile);
        EXPECT_EQ(attributes & kKeptAttributes, scene.oldAttributes & kKeptAttributes);
        break;
      case Outcome::New:
        EXPECT_EQ(bytes, newBytes);
        EXPECT_EQ(attributes & kKeptAttributes, 0u);
        break;
      case Outcome::Nothing:
        EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES);
        break;
      case Outcome::Either:  // decided above
        break;
    }
    EXPECT_EQ(GetFileAttributesW((file + L".new").c_str()), INVALID_FILE_ATTRIBUTES) << "a temporary file is left";
    if (expected == Outcome::New)
      EXPECT_EQ(writes, std::vector<IoResult>{IoResult::Ok});
    else
      for (const IoResult result : writes) EXPECT_NE(result, IoResult::Ok) << "a failed write reported as done";
  }

  // What failing this call of a write must leave.
  static Outcome ExpectedAfter(const Scene& scene, const Call& call, Fault fault, const std::wstring& temp) {
    const Outcome kept = scene.oldFile ? Outcome::Old : Outcome::Nothing;
    switch (call.step) {
      case Step::SetAttributes:
        if (call.path == temp) return Outcome::New;  // only tidies a leftover that is not there
        [[fallthrough]];
      case Step::GetAttributes:
        // Attributes not read or not cleared: a read-only old file stays read-only, and Windows
        // then refuses the move while Wine replaces it anyway.
        return (scene.oldAttributes & FILE_ATTRIBUTE_READONLY) ? Outcome::Either : Outcome::New;
      case Step::WriteFile:
        return fault == Fault::WritesHalf ? Outcome::New : kept;
      default:
        // Without the folder, the write itself finds no place; without the temporary file, its
        // bytes or the move, the old file stays.
        return kept;
    }
  }

  // Counts the calls of a clean write, then fails each one in turn; the number of faults injected.
  int FailEachCall(const Scene& scene) {
    SCOPED_TRACE(scene.name);
    if (!Prepare(scene)) {
      ADD_FAILURE() << "the disk cannot be set up";
      return 0;
    }
    injection = {};
    Check(scene, Outcome::New, Write(scene));
    const std::vector<Call> clean = injection.calls;
    int injected = 0;
    for (std::size_t k = 0; k < clean.size(); ++k) {
      std::vector<Fault> faults{Fault::Fails};
      if (clean[k].step == Step::WriteFile) faults.insert(faults.end(), {Fault::WritesNothing, Fault::WritesHalf});
      for (const Fault fault : faults) {
        SCOPED_TRACE("call " + std::to_string(k) + " " + kStepNames[static_cast<int>(clean[k].step)] + " " +
                     kFaultNames[static_cast<int>(fault)]);
        if (!Prepare(scene)) {
          ADD_FAILURE() << "the disk cannot be set up";
          return injected;
        }
        injection = {};
        injection.failAt = k;
        injection.fault = fault;
        const std::vector<IoResult> writes = Write(scene);
        EXPECT_GT(injection.calls.size(), k);
        Check(scene, ExpectedAfter(scene, clean[k], fault, file + L".new"), writes);
        ++injected;
      }
    }
    return injected;
  }

  std::wstring root, appData, folder, file;
};

TEST_F(SettingsFaults, EachDiskCallOfAWriteFailsInTurn) {
  const Scene scenes[] = {
      {"save over a plain file", false},
      {"save over a read-only hidden file", false, true, true, true, kReadOnlyHidden},
      {"load over a plain file", true},
      {"load over a read-only hidden file", true, true, true, true, kReadOnlyHidden},
      {"load at first start, no folder yet", true, true, false, false},
  };
  int injected = 0;
  for (const Scene& scene : scenes) injected += FailEachCall(scene);
  std::cout << "injected fault points: " << injected << std::endl;
  // Seven calls in a clean write (six plus the folder's creation when there is no old file), and
  // a write that writes nothing or half besides one that fails.
  EXPECT_EQ(injected, 45);
}

TEST_F(SettingsFaults, RealConditions) {
  struct Condition {
    Scene scene;
    Outcome expected;
  };
  const Condition conditions[] = {
      {{"save over a read-only file", false, true, true, true, FILE_ATTRIBUTE_READONLY}, Outcome::New},
      {{"save over a hidden file", false, true, true, true, FILE_ATTRIBUTE_HIDDEN}, Outcome::New},
      {{"save over a read-only hidden file held open", false, true, true, true, kReadOnlyHidden, true}, Outcome::Old},
      {{"load over a file held open", true, true, true, true, FILE_ATTRIBUTE_NORMAL, true}, Outcome::Old},
      {{"save with the settings folder missing", false, true, false, false}, Outcome::New},
      {{"save with the application-data folder missing", false, false, false, false}, Outcome::Nothing},
      {{"load with the application-data folder missing", true, false, false, false}, Outcome::Nothing},
      {{"save beside a read-only hidden leftover", false, true, true, true, FILE_ATTRIBUTE_NORMAL, false, true},
       Outcome::New},
  };
  int tried = 0;
  for (const Condition& condition : conditions) {
    const Scene& scene = condition.scene;
    SCOPED_TRACE(scene.name);
    ASSERT_TRUE(Prepare(scene));
    injection = {};
    std::optional<FileHolder> holder;
    if (scene.heldOpen) {
      holder.emplace(file);
      ASSERT_TRUE(holder->holding());
    }
    const std::vector<IoResult> writes = Write(scene);
    if (holder) {
      EXPECT_EQ(holder->Release(), 0u);
    }
    Check(scene, condition.expected, writes);
    if (!scene.appData) {
      EXPECT_EQ(GetFileAttributesW(appData.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ++tried;
  }
  std::cout << "real conditions: " << tried << std::endl;
  EXPECT_EQ(tried, 8);
}

// A read that breaks off partway: the file counts as unreadable (the defaults, written whole),
// never as the shorter file it would otherwise seem to be (here: mode 3 and half a tag).
int readsLeft = 0;
BOOL WINAPI BreakingRead(HANDLE file, LPVOID data, DWORD size, LPDWORD got, LPOVERLAPPED overlapped) {
  if (readsLeft-- == 0) {
    *got = 0;
    SetLastError(ERROR_CRC);
    return FALSE;
  }
  return ReadFile(file, data, size > 12 ? size - 12 : size, got, overlapped);
}

TEST_F(SettingsFaults, AReadBrokenOffPartwayIsAnUnreadableFile) {
  ASSERT_TRUE(Prepare({"load over a plain file", true}));
  SettingsDiskCalls calls;
  calls.readFile = BreakingRead;
  readsLeft = 1;
  Win32SettingsFileSystem disk(calls);
  SettingsRecord settings{1, u"", false, false};
  LoadSettingsFrom(disk, FromWide(file), FromWide(root + L"\\Lumivale BGM.mp3"), settings);
  EXPECT_EQ(readsLeft, -1);
  EXPECT_EQ(settings.InterpolationMode, kDefaults.InterpolationMode);
  EXPECT_EQ(ReadBytes(file), AsString(SettingsFileBytes(kDefaults)));
}

// A save from the dialog, each disk call failed in turn: a save that did not put the file in place
// is reported with the error of the call that failed, and keeps the old file, the dialog (it does
// not end) and its saved state; one that did ends the dialog silently.
TEST_F(SettingsFaults, EachFailedSaveFromTheDialogIsReportedAndKeepsTheDialog) {
  struct Report {
    std::vector<std::wstring> shown;  // prompt, then title, then style, per message
    int ends = 0;
    bool savedAfter = false;
  };
  auto save = [](bool savedBefore) {
    Report report;
    Settings = kSaved;
    SetForm form;
    form.DiskCalls = InjectingCalls();
    form.ShowMessage = [&report](const std::wstring& prompt, int style, const std::wstring& title) {
      report.shown.insert(report.shown.end(), {prompt, title, std::to_wstring(style)});
      return 1;
    };
    form.EndProgramAction = [&report](bool) { ++report.ends; };
    EXPECT_TRUE(form.Load());
    form.SettingsSaved = savedBefore;
    form.Save();
    report.savedAfter = form.SettingsSaved;
    return report;
  };
  auto expectReported = [](const Report& report, const std::wstring& path, DWORD error, bool savedBefore) {
    const std::vector<std::wstring> message{
        L"설정 파일을 저장하지 못했습니다.\r\n" + path + L"\r\n" + SystemErrorText(error), L"설정 저장 실패", L"16"};
    EXPECT_EQ(report.shown, message);
    EXPECT_EQ(report.ends, 0);
    EXPECT_EQ(report.savedAfter, savedBefore);
  };
  const std::wstring text = SystemErrorText(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(!text.empty() && text != L"5" && text.back() != L'\n') << "the system's text, no line break after it";

  const Scene scene{"save over a plain file", false};
  SettingsPath = file;
  ASSERT_TRUE(Prepare(scene));
  injection = {};
  EXPECT_EQ(save(false).ends, 1);
  const std::vector<Call> clean = injection.calls;
  int reported = 0;
  for (std::size_t k = 0; k < clean.size(); ++k) {
    const bool write = clean[k].step == Step::WriteFile;
    const std::vector<Fault> faults = write ? std::vector<Fault>{Fault::Fails, Fault::WritesNothing}
                                            : std::vector<Fault>{Fault::Fails};
    for (const Fault fault : faults) {
      SCOPED_TRACE("call " + std::to_string(k) + " " + kStepNames[static_cast<int>(clean[k].step)] + " " +
                   kFaultNames[static_cast<int>(fault)]);
      ASSERT_TRUE(Prepare(scene));
      injection = {};
      injection.failAt = k;
      injection.fault = fault;
      const bool savedBefore = k % 2 == 0;
      const Report report = save(savedBefore);
      EXPECT_EQ(GetFileAttributesW((file + L".new").c_str()), INVALID_FILE_ATTRIBUTES) << "a temporary file is left";
      if (ReadBytes(file) != kOldFile) {  // the failure did not stop the save
        EXPECT_EQ(ReadBytes(file), AsString(SettingsFileBytes(kSaved)));
        EXPECT_TRUE(report.shown.empty());
        EXPECT_EQ(report.ends, 1);
        continue;
      }
      ++reported;
      const DWORD error = !write ? ERROR_ACCESS_DENIED : fault == Fault::Fails ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
      expectReported(report, file, error, savedBefore);
    }
  }
  EXPECT_EQ(reported, 5);  // the temporary file made, written (failed, or nothing), flushed, moved

  // No place for the file at all: no application-data folder, or no settings path.
  ASSERT_TRUE(Prepare({"no application data", false, false, false, false}));
  injection = {};
  expectReported(save(false), file, ERROR_PATH_NOT_FOUND, false);
  EXPECT_EQ(GetFileAttributesW(appData.c_str()), INVALID_FILE_ATTRIBUTES);
  SettingsPath.clear();
  expectReported(save(true), L"", ERROR_PATH_NOT_FOUND, true);
}

}  // namespace
