#pragma once

#include <windows.h>

// A 32-bit top-down DIB section of the given size, compatible with `dc`;
// `bits` receives its pixels (row 0 first). Null when GDI refuses.
HBITMAP CreateDib32(HDC dc, int width, int height, void** bits);
