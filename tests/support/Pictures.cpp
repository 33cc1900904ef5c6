#include "Pictures.h"

#include <olectl.h>

#include "DCGuards.h"
#include "OleObjects.h"
#include "UniqueHandle.h"

namespace {

HBITMAP MakeBitmap(int width, int height, const PixelColours& colours) {
    const WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    const UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    const SelectionGuard selection(dc.get(), bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(dc.get(), x, y, colours(x, y));
    return bitmap;
}

ComPtr<IPicture> MakePicture(PICTDESC desc) {
    desc.cbSizeofstruct = sizeof desc;
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void());
    return picture;
}

// COM objects go through Release, never through a delete of the interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#define FAILS(call)                           \
    HRESULT STDMETHODCALLTYPE call override { \
        return E_FAIL;                        \
    }
class FailingPicture final : public IPicture {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IPicture ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    FAILS(get_Handle(OLE_HANDLE*))
    FAILS(get_hPal(OLE_HANDLE*))
    FAILS(get_Type(SHORT*))
    FAILS(get_Width(OLE_XSIZE_HIMETRIC*))
    FAILS(get_Height(OLE_YSIZE_HIMETRIC*))
    FAILS(Render(HDC, LONG, LONG, LONG, LONG, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC, OLE_XSIZE_HIMETRIC,
                 OLE_YSIZE_HIMETRIC, LPCRECT))
    FAILS(set_hPal(OLE_HANDLE))
    FAILS(get_CurDC(HDC*))
    FAILS(SelectPicture(HDC, HDC*, OLE_HANDLE*))
    FAILS(get_KeepOriginalFormat(BOOL*))
    FAILS(put_KeepOriginalFormat(BOOL))
    FAILS(PictureChanged())
    FAILS(SaveAsFile(LPSTREAM, BOOL, LONG*))
    FAILS(get_Attributes(DWORD*))

private:
    ~FailingPicture() = default;
    ULONG references_ = 0;
};
#undef FAILS
#pragma GCC diagnostic pop

}  // namespace

ComPtr<IPicture> MakePicture(int width, int height, const PixelColours& colours) {
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = MakeBitmap(width, height, colours);
    return MakePicture(desc);
}

ComPtr<IPicture> MakeIconPicture(int width, int height, const PixelColours& colours, COLORREF open) {
    // An open pixel: mask bit 1 over a black colour pixel.
    const UniqueBitmap colour(
        MakeBitmap(width, height, [&](int x, int y) { return colours(x, y) == open ? COLORREF{0} : colours(x, y); }));
    const UniqueBitmap mask(
        MakeBitmap(width, height, [&](int x, int y) { return colours(x, y) == open ? 0xFFFFFFu : COLORREF{0}; }));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    PICTDESC desc{};
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = CreateIconIndirect(&info);
    return MakePicture(desc);
}

ComPtr<IPicture> MakeEmptyPicture() {
    PICTDESC desc{};
    desc.picType = PICTYPE_NONE;
    return MakePicture(desc);
}

ComPtr<IPicture> MakeFailingPicture() {
    return ComPtr<IPicture>(new FailingPicture);
}

ComPtr<IFont> MakeFont(const wchar_t* name, double points, bool bold) {
    return CreateOleFont(name, points, bold ? FW_BOLD : FW_NORMAL);
}
