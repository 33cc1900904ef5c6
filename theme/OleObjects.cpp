#include "OleObjects.h"

#include "XpThemeErrors.h"

namespace mdXpThemeSupport {

namespace {

template <typename Object>
Object* Require(Object* object) {
    if (!object) throw ObjectNotSetError();
    return object;
}

void Check(HRESULT result, const wchar_t* call) {
    if (FAILED(result)) throw CallFailedError(result, call);
}

}  // namespace

OLE_HANDLE PictureHandle(IPicture* picture) {
    OLE_HANDLE handle = 0;
    Check(Require(picture)->get_Handle(&handle), L"IPicture::get_Handle");
    return handle;
}

HANDLE PictureGdiHandle(IPicture* picture) {
    // Handles travel as 32-bit values and widen with their sign, as the
    // platform's LongToHandle does.
    return LongToHandle(static_cast<LONG>(PictureHandle(picture)));
}

SHORT PictureType(IPicture* picture) {
    SHORT type = PICTYPE_UNINITIALIZED;
    Check(Require(picture)->get_Type(&type), L"IPicture::get_Type");
    return type;
}

OLE_XSIZE_HIMETRIC PictureWidth(IPicture* picture) {
    OLE_XSIZE_HIMETRIC width = 0;
    Check(Require(picture)->get_Width(&width), L"IPicture::get_Width");
    return width;
}

OLE_YSIZE_HIMETRIC PictureHeight(IPicture* picture) {
    OLE_YSIZE_HIMETRIC height = 0;
    Check(Require(picture)->get_Height(&height), L"IPicture::get_Height");
    return height;
}

void RenderPicture(IPicture* picture, HDC hdc, LONG x, LONG y, LONG width, LONG height, OLE_XPOS_HIMETRIC sourceX,
                   OLE_YPOS_HIMETRIC sourceY, OLE_XSIZE_HIMETRIC sourceWidth, OLE_YSIZE_HIMETRIC sourceHeight) {
    Check(Require(picture)->Render(hdc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, nullptr),
          L"IPicture::Render");
}

HFONT FontHandle(IFont* font) {
    HFONT handle = nullptr;
    Check(Require(font)->get_hFont(&handle), L"IFont::get_hFont");
    return handle;
}

}  // namespace mdXpThemeSupport
