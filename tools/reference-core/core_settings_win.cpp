#include "tools/reference-core/core_settings_win.h"

#include <windows.h>

#include "settings/settings_store.h"
#include "base/wide.h"

namespace {

// The reader ends by writing the file back in its normal form; here that write goes nowhere.
class ReadOnlyDisk : public Win32SettingsFileSystem {
 public:
  IoResult CreateFolder(const Text&) override { return IoResult::Failed; }
  IoResult ReplaceContents(const Text&, const Bytes&) override { return IoResult::Failed; }
};

}  // namespace

SettingsRecord ReadCoreSettings() {
  SettingsRecord settings;
  wchar_t appData[MAX_PATH * 2];
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH * 2);
  ReadOnlyDisk disk;
  // Without APPDATA there is no settings file: the reader's defaults.
  const std::wstring path =
      (n > 0 && n < MAX_PATH * 2) ? std::wstring(appData, n) + L"\\Lumivale!!\\Lumivale!!.xml" : L"";
  LoadSettingsFrom(disk, FromWide(path), FromWide(DefaultBgmPath()), settings);
  return settings;
}
