#pragma once
// Lets every pending window message of the thread run. False when the quit message came (it is
// put back for the outer loop).
bool RunPendingMessages();
