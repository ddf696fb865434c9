#pragma once
// The thread's message pump: every message loop of the program and its tools runs through it.
#include <functional>

// Lets every pending window message of the thread run. False when the quit message came: it is
// put back for the outer loop, or with keepQuit false let go like any other message (a thread
// whose loop is not running yet has no use for it).
bool RunPendingMessages(bool keepQuit = true);

// The one modal wait: runs every message of the thread while `waiting` holds (timers and other
// handlers go on, and waits may nest), sleeping until a message arrives rather than polling. Ends
// early when the quit message comes.
void WaitWhile(const std::function<bool()>& waiting);

// The message loop of a program's main thread, until the quit message (blocking in GetMessage).
void RunMessageLoop();
