#pragma once
// The thread's message pump.
#include <functional>

// Lets every pending window message of the thread run. False when the quit message came (it is
// put back for the outer loop).
bool RunPendingMessages();

// The one modal wait: runs every message of the thread while `waiting` holds (timers and other
// handlers go on, and waits may nest), sleeping until a message arrives rather than polling. Ends
// early when the quit message comes.
void WaitWhile(const std::function<bool()>& waiting);

// The message loop of a program's main thread, until the quit message; its exit code.
int RunMessageLoop();
