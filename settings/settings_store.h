#pragma once
// The process-wide settings record and the settings file on disk.
#include <windows.h>

#include <string>

#include "settings/settings_file.h"

extern SettingsRecord Settings;
extern std::wstring SettingsPath;

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
  IoResult CreateFolder(const Text& path) override;
  IoResult ReplaceContents(const Text& path, const Bytes& content) override;

 private:
  SettingsDiskCalls calls_;
};

std::wstring ProgramFolder();
std::wstring DefaultBgmPath();
void LoadSettings();
void SaveSettings();
