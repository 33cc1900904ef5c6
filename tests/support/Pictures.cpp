#include "Pictures.h"

#include <olectl.h>

#include "DCGuards.h"
#include "UniqueHandle.h"

namespace {

ComPtr<IPicture> MakePicture(PICTDESC desc) {
    desc.cbSizeofstruct = sizeof desc;
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void());
    return picture;
}

}  // namespace

ComPtr<IPicture> MakePicture(int width, int height, const PixelColours& colours) {
    const WindowDC screen(nullptr);
    PICTDESC desc{};
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = CreateCompatibleBitmap(screen.get(), width, height);
    {
        const UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
        const SelectionGuard selection(dc.get(), desc.bmp.hbitmap);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) SetPixel(dc.get(), x, y, colours(x, y));
    }
    return MakePicture(desc);
}

ComPtr<IPicture> MakeEmptyPicture() {
    PICTDESC desc{};
    desc.picType = PICTYPE_NONE;
    return MakePicture(desc);
}
