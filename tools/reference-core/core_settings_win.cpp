#include "tools/reference-core/core_settings_win.h"

#include <windows.h>

#include "settings/settings_store.h"
#include "base/wide.h"

// The core only reads: the file is the front end's to write. Without APPDATA there is no settings
// file: the reader's defaults.
SettingsRecord ReadCoreSettings() {
  SettingsRecord settings;
  Win32SettingsFileSystem disk;
  ReadSettingsFrom(disk, FromWide(SettingsFilePath()), FromWide(DefaultBgmPath()), settings);
  return settings;
}
