#pragma once

#include <windows.h>

// Runs the current test again in a copy of this program whose manifest
// makes UTF-8 the system's 8-bit code page (the "activeCodePage" setting,
// which Wine honours too): the one way to give a process a code page where a
// character takes more than one byte. Answers the copy's exit code, 0 when
// the test passed there; its output goes where this program's goes.
DWORD RerunCurrentTestUnderUtf8();

// Whether this process is such a rerun.
bool InRerun();
