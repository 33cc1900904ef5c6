#pragma once

// Handles every window message that is waiting, then returns (a yield).
// Keyboard navigation between the controls of a top-level window works as in
// a dialog. A WM_QUIT met on the way is posted again for the caller's loop.
void DoEvents();

// The program's message loop; returns the exit code of WM_QUIT.
int RunMessageLoop();
