#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include "ComPtr.h"
#include "ErrorSource.h"

// The platform's standard font and picture objects, made and read the way
// every component reads them: an object that is not set (null) raises the
// object-not-set error of the given source, a failing call an automation
// error with the call's HRESULT.

// A new font object: face name, size in points, weight, ANSI character set.
// Empty when the platform refuses.
ComPtr<IFont> CreateOleFont(const wchar_t* name, double points, SHORT weight);

// The font object's GDI font, owned by the object.
HFONT FontHandle(IFont* font, const ErrorSource& source);

// The picture's handle (its default member); 0 means an empty picture.
OLE_HANDLE PictureHandle(IPicture* picture, const ErrorSource& source);
// The same handle as the GDI or USER handle it stands for: handles travel
// as 32-bit values and widen with their sign.
HANDLE PictureGdiHandle(IPicture* picture, const ErrorSource& source);
SHORT PictureType(IPicture* picture, const ErrorSource& source);
OLE_XSIZE_HIMETRIC PictureWidth(IPicture* picture, const ErrorSource& source);
OLE_YSIZE_HIMETRIC PictureHeight(IPicture* picture, const ErrorSource& source);
void RenderPicture(IPicture* picture, HDC hdc, LONG x, LONG y, LONG width, LONG height, OLE_XPOS_HIMETRIC sourceX,
                   OLE_YPOS_HIMETRIC sourceY, OLE_XSIZE_HIMETRIC sourceWidth, OLE_YSIZE_HIMETRIC sourceHeight,
                   const ErrorSource& source);
