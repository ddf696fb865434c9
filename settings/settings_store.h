#pragma once
// The process-wide settings record and the settings file on disk.
#include <windows.h>

#include <string>

#include "settings/settings_file.h"

extern SettingsRecord Settings;
extern std::wstring SettingsPath;

// The settings file on the Win32 file system. Writing goes to a file beside the old one, which is
// flushed and then moved over it: a failure at any step leaves the old file whole.
class Win32SettingsFileSystem : public SettingsFileSystem {
 public:
  IoResult ReadAll(const Text& path, Bytes& content) override;
  bool FileExists(const Text& path) override;
  bool FolderExists(const Text& path) override;
  IoResult CreateFolder(const Text& path) override;
  IoResult ReplaceContents(const Text& path, const Bytes& content) override;
};

std::wstring ProgramFolder();
std::wstring DefaultBgmPath();
void LoadSettings();
void SaveSettings();
