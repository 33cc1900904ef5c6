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

// One property of the object, through its get_ call.
template <typename Object, typename Value>
Value Read(Object* object, HRESULT (STDMETHODCALLTYPE Object::*get)(Value*), const wchar_t* call,
           const ErrorSource& source, Value value = {}) {
    Check((Require(object, source)->*get)(&value), call, source);
    return value;
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
    return Read(font, &IFont::get_hFont, L"IFont::get_hFont", source);
}

OLE_HANDLE PictureHandle(IPicture* picture, const ErrorSource& source) {
    return Read(picture, &IPicture::get_Handle, L"IPicture::get_Handle", source);
}

HANDLE PictureGdiHandle(IPicture* picture, const ErrorSource& source) {
    return LongToHandle(static_cast<LONG>(PictureHandle(picture, source)));
}

SHORT PictureType(IPicture* picture, const ErrorSource& source) {
    return Read(picture, &IPicture::get_Type, L"IPicture::get_Type", source, SHORT{PICTYPE_UNINITIALIZED});
}

OLE_XSIZE_HIMETRIC PictureWidth(IPicture* picture, const ErrorSource& source) {
    return Read(picture, &IPicture::get_Width, L"IPicture::get_Width", source);
}

OLE_YSIZE_HIMETRIC PictureHeight(IPicture* picture, const ErrorSource& source) {
    return Read(picture, &IPicture::get_Height, L"IPicture::get_Height", source);
}

void RenderPicture(IPicture* picture, HDC hdc, LONG x, LONG y, LONG width, LONG height, OLE_XPOS_HIMETRIC sourceX,
                   OLE_YPOS_HIMETRIC sourceY, OLE_XSIZE_HIMETRIC sourceWidth, OLE_YSIZE_HIMETRIC sourceHeight,
                   const ErrorSource& source) {
    Check(Require(picture, source)
              ->Render(hdc, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight, nullptr),
          L"IPicture::Render", source);
}
