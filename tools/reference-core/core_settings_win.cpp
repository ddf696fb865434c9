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

// Without APPDATA there is no settings file: the reader's defaults.
SettingsRecord ReadCoreSettings() {
  SettingsRecord settings;
  ReadOnlyDisk disk;
  LoadSettingsFrom(disk, FromWide(SettingsFilePath()), FromWide(DefaultBgmPath()), settings);
  return settings;
}
