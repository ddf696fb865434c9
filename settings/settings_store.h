#pragma once
// The process-wide settings record and the settings file on disk.
#include <windows.h>

#include <string>

#include "settings/settings_file.h"

// The Win32 calls that read and change the settings file on disk. Left as they are, they are the
// real API; a test puts its own in place to make any one step fail.
struct SettingsDiskCalls {
  decltype(&::ReadFile) readFile = ::ReadFile;
  decltype(&::CreateDirectoryW) createDirectory = ::CreateDirectoryW;
  decltype(&::CreateFileW) createFile = ::CreateFileW;
  decltype(&::WriteFile) writeFile = ::WriteFile;
  decltype(&::FlushFileBuffers) flushFileBuffers = ::FlushFileBuffers;
  decltype(&::GetFileAttributesW) getFileAttributes = ::GetFileAttributesW;
  decltype(&::SetFileAttributesW) setFileAttributes = ::SetFileAttributesW;
  decltype(&::MoveFileExW) moveFileEx = ::MoveFileExW;
  decltype(&::DeleteFileW) deleteFile = ::DeleteFileW;
};

// The settings file on the Win32 file system. Writing goes to a file beside the old one, which is
// flushed and then moved over it: a failure at any step leaves the old file whole.
class Win32SettingsFileSystem : public SettingsFileSystem {
 public:
  Win32SettingsFileSystem() = default;
  explicit Win32SettingsFileSystem(const SettingsDiskCalls& calls) : calls_(calls) {}

  IoResult ReadAll(const Text& path, Bytes& content) override;
  bool FileExists(const Text& path) override;
  bool FolderExists(const Text& path) override;
  bool HasPlainAttributes(const Text& path) override;
  IoResult CreateFolder(const Text& path) override;
  IoResult ReplaceContents(const Text& path, const Bytes& content) override;

  // What the first call that failed a write gave as its error (ERROR_SUCCESS while none has).
  DWORD FirstError() const { return firstError_; }

 private:
  IoResult Failure(DWORD error);

  SettingsDiskCalls calls_;
  DWORD firstError_ = ERROR_SUCCESS;
};

// The settings as the program holds them: the record the dialog edits, the file it is kept in
// (empty: there is no settings folder) and whether the record is what was last written there.
struct SettingsState {
  SettingsRecord Settings;
  std::wstring SettingsPath;
  bool SettingsSaved = false;
};
// The process's one settings state.
SettingsState& ProgramSettings();

// The music beside the program, which the settings fall back to.
std::wstring DefaultBgmPath();
// The settings file of this user (empty when there is no settings folder: no APPDATA).
std::wstring SettingsFilePath();
// Loads at the start and writes the result back; silent on any failure.
void LoadSettings(SettingsState& state);
// Saves the record to the settings path: ERROR_SUCCESS, or the error of the first disk call that
// failed (ERROR_PATH_NOT_FOUND when there is no settings path at all).
DWORD SaveSettings(const SettingsState& state, const SettingsDiskCalls& calls = {});
