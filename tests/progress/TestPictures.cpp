#include "TestPictures.h"

#include "OleObjects.h"

#include <olectl.h>

#include "GdiSurface.h"

ComPtr<IPicture> MakePicture(int width, int height, const std::function<COLORREF(int, int)>& colourAt) {
    GdiSurface source(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) source.SetPixel(x, y, colourAt(x, y));
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ previous = SelectObject(dc.get(), bitmap);
    BitBlt(dc.get(), 0, 0, width, height, source.hDC(), 0, 0, SRCCOPY);
    SelectObject(dc.get(), previous);

    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void());
    return picture;
}

ComPtr<IPicture> MakeIconPicture() {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, FALSE, picture.put_void());
    return picture;
}

void Repaint(IPicture* picture, COLORREF colour) {
    const auto bitmap = static_cast<HBITMAP>(PictureGdiHandle(picture, ErrorSource()));
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ previous = SelectObject(dc.get(), bitmap);
    const UniqueBrush brush(CreateSolidBrush(colour));
    const RECT all{0, 0, size.bmWidth, size.bmHeight};
    FillRect(dc.get(), &all, brush.get());
    SelectObject(dc.get(), previous);
}

ComPtr<IFont> MakeFont(const wchar_t* name, int points, bool bold) {
    return CreateOleFont(name, points, bold ? FW_BOLD : FW_NORMAL);
}
