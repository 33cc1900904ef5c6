#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

// Reads of the OLE picture and font objects as the drawing code makes them:
// a picture or font that is not set (null) fails with ObjectNotSetError, a
// failing call with CallFailedError.
namespace mdXpThemeSupport {

// The picture's handle (its default member); 0 means an empty picture.
OLE_HANDLE PictureHandle(IPicture* picture);
// The same handle as the GDI or USER handle it stands for.
HANDLE PictureGdiHandle(IPicture* picture);
SHORT PictureType(IPicture* picture);
OLE_XSIZE_HIMETRIC PictureWidth(IPicture* picture);
OLE_YSIZE_HIMETRIC PictureHeight(IPicture* picture);
void RenderPicture(IPicture* picture, HDC hdc, LONG x, LONG y, LONG width, LONG height, OLE_XPOS_HIMETRIC sourceX,
                   OLE_YPOS_HIMETRIC sourceY, OLE_XSIZE_HIMETRIC sourceWidth, OLE_YSIZE_HIMETRIC sourceHeight);

HFONT FontHandle(IFont* font);

}  // namespace mdXpThemeSupport
