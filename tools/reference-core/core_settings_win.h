#pragma once
// The reference core's settings: the program's settings file read with the program's own tolerant
// reader. The core only reads; the file on disk is never changed.
#include "settings/settings_file.h"

SettingsRecord ReadCoreSettings();
