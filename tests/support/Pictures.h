#pragma once

#include <windows.h>

#include <ocidl.h>

#include <functional>

#include "ComPtr.h"

// The OLE picture and font objects the tests hand to the code.
using PixelColours = std::function<COLORREF(int x, int y)>;

// A bitmap picture of the given pixels; the picture owns the bitmap.
ComPtr<IPicture> MakePicture(int width, int height, const PixelColours& colours);
// An icon picture; pixels of the colour `open` are left open by its mask.
ComPtr<IPicture> MakeIconPicture(int width, int height, const PixelColours& colours, COLORREF open);
// A picture that holds nothing: its handle is 0.
ComPtr<IPicture> MakeEmptyPicture();
// A picture every call of which fails (E_FAIL), as a broken one might.
ComPtr<IPicture> MakeFailingPicture();

ComPtr<IFont> MakeFont(const wchar_t* name, double points, bool bold = false);
