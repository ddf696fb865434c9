#pragma once
// Shows the program's settings window over the core's "設定" window and starts watching the core.
void ShowSettingsWindow();
