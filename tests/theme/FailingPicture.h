#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

// COM objects go through Release, never through a delete of the interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// A picture object every call of which fails (E_FAIL), as a broken or
// foreign picture might. Counted; starts with one reference for its creator.
class FailingPicture final : public IPicture {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_Type(SHORT*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE Render(HDC, LONG, LONG, LONG, LONG, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC,
                                     OLE_XSIZE_HIMETRIC, OLE_YSIZE_HIMETRIC, LPCRECT) override {
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE set_hPal(OLE_HANDLE) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_CurDC(HDC*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_KeepOriginalFormat(BOOL*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE put_KeepOriginalFormat(BOOL) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE PictureChanged() override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE get_Attributes(DWORD*) override { return E_FAIL; }

private:
    ~FailingPicture() = default;
    ULONG references_ = 1;
};

#pragma GCC diagnostic pop

#include "ComPtr.h"

inline ComPtr<IPicture> MakeFailingPicture() {
    auto* picture = new FailingPicture;
    ComPtr<IPicture> held(picture);
    picture->Release();
    return held;
}
