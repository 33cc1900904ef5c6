#pragma once

#include <windows.h>

// Handles every window message that is waiting, then returns (a yield).
// A window's keyboard shortcuts (Accelerators) are translated, and keyboard
// navigation between the controls of a top-level window works as in a
// dialog. A WM_QUIT met on the way is posted again for the caller's loop.
void DoEvents();

// The platform's GetMessageW; a test hands in one that fails, which no
// platform does on demand.
using GetMessageCall = BOOL(WINAPI*)(MSG* msg, HWND hwnd, UINT first, UINT last);

// The program's message loop; returns the exit code of WM_QUIT, or -1 when
// a message cannot be fetched.
int RunMessageLoop(GetMessageCall getMessage = &GetMessageW);
