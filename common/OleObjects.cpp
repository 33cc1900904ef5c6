#include "OleObjects.h"

#include <cmath>

#include "RuntimeError.h"

namespace {

template <typename Object>
Object* Require(Object* object, const ErrorSource& source) {
    if (!object) throw RuntimeError(kErrObjectNotSet, source);
    return object;
}

void Check(HRESULT result, const wchar_t* call, const ErrorSource& source) {
    if (FAILED(result)) throw RuntimeError(static_cast<std::int32_t>(result), source, call);
}

}  // namespace

ComPtr<IFont> CreateOleFont(const wchar_t* name, double points, SHORT weight) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(name);
    desc.cySize.int64 = std::llround(points * 10000.0);  // a CY holds points x 10,000
    desc.sWeight = weight;
    desc.sCharset = ANSI_CHARSET;
    ComPtr<IFont> font;
    OleCreateFontIndirect(&desc, IID_IFont, font.put_void());
    return font;
}

HFONT FontHandle(IFont* font, const ErrorSource& source) {
    HFONT handle = nullptr;
    Check(Require(font, source)->get_hFont(&handle), L"IFont::get_hFont", source);
    return handle;
}

OLE_HANDLE PictureHandle(IPicture* picture, const ErrorSource& source) {
    OLE_HANDLE handle = 0;
    Check(Require(picture, source)->get_Handle(&handle), L"IPicture::get_Handle", source);
    return handle;
}

HANDLE PictureGdiHandle(IPicture* picture, const ErrorSource& source) {
    return LongToHandle(static_cast<LONG>(PictureHandle(picture, source)));
}

SHORT PictureType(IPicture* picture, const ErrorSource& source) {
    SHORT type = PICTYPE_UNINITIALIZED;
    Check(Require(picture, source)->get_Type(&type), L"IPicture::get_Type", source);
    return type;
}

OLE_XSIZE_HIMETRIC PictureWidth(IPicture* picture, const ErrorSource& source) {
    OLE_XSIZE_HIMETRIC width = 0;
    Check(Require(picture, source)->get_Width(&width), L"IPicture::get_Width", source);
    return width;
}

OLE_YSIZE_HIMETRIC PictureHeight(IPicture* picture, const ErrorSource& source) {
    OLE_YSIZE_HIMETRIC height = 0;
    Check(Require(picture, source)->get_Height(&height), L"IPicture::get_Height", source);
    return height;
}

void RenderPicture(IPicture* picture, HDC hdc, LONG x, LONG y, LONG width, LONG height, OLE_XPOS_HIMETRIC sourceX,
                   OLE_YPOS_HIMETRIC sourceY, OLE_XSIZE_HIMETRIC sourceWidth, OLE_YSIZE_HIMETRIC sourceHeight,
                   const ErrorSource& source) {
    Check(Require(picture, source)
              ->Render(hdc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, nullptr),
          L"IPicture::Render", source);
}
