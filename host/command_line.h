#pragma once
// The program's command line: what it hands the core, and whether it asks for the settings.
#include "base/utf.h"

// The arguments of a command line as received: the program name (quoted or not) and the blanks
// after it removed, the rest unchanged.
Text ArgumentsOf(const Text& commandLine);
// Whether the arguments ask for the settings, as Windows starts a screen saver to configure it:
// none, or /c (or -c, any case, with or without ":<window>" or a window after a blank).
bool ConfigureRoad(const Text& arguments);
// What the core is started with: its quoted path, one blank, our own arguments.
Text CoreCommandLine(const Text& corePath, const Text& arguments);
