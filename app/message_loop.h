// One turn of the program's message loop: the messages, and beside them the
// watch on Explorer's values, on the one user-interface thread.
#pragma once

#include <windows.h>

// Waits up to timeoutMs for a message or a change to Explorer's values, then
// handles whatever has come. False once WM_QUIT was taken, with its code.
bool PumpMessagesAndWatch(DWORD timeoutMs, int& exitCode);
