#pragma once

#include <windows.h>

#include <ocidl.h>

#include <functional>
#include <string>

#include "ComPtr.h"

// A bitmap picture object of the given size, each pixel from colourAt(x, y);
// the picture owns the bitmap.
ComPtr<IPicture> MakePicture(int width, int height, const std::function<COLORREF(int, int)>& colourAt);
// A picture object whose handle is no bitmap (the system's application icon).
ComPtr<IPicture> MakeIconPicture();
// Paints every pixel of a picture's bitmap anew.
void Repaint(IPicture* picture, COLORREF colour);

ComPtr<IFont> MakeFont(const wchar_t* name, int points, bool bold);
