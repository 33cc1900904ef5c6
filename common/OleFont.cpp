#include "OleFont.h"

#include <olectl.h>

#include <cmath>

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

HFONT FontHandle(IFont* font) {
    HFONT handle = nullptr;
    if (font) font->get_hFont(&handle);
    return handle;
}
