#pragma once

#include <windows.h>

#include <ocidl.h>

#include <functional>

#include "ComPtr.h"

// The OLE picture objects the tests hand to the code.
using PixelColours = std::function<COLORREF(int x, int y)>;

// A bitmap picture of the given pixels; the picture owns the bitmap.
ComPtr<IPicture> MakePicture(int width, int height, const PixelColours& colours);
// A picture that holds nothing: its handle is 0.
ComPtr<IPicture> MakeEmptyPicture();
