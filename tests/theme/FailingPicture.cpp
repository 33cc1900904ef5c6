#include "FailingPicture.h"

HRESULT STDMETHODCALLTYPE FailingPicture::QueryInterface(REFIID iid, void** object) {
    if (iid == IID_IUnknown || iid == IID_IPicture) {
        *object = static_cast<IPicture*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FailingPicture::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}
