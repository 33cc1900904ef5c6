#pragma once

#include <windows.h>

#include <ocidl.h>

#include "ComPtr.h"

// A new OLE font object (the platform's standard font): face name, size in
// points, weight, ANSI character set. Empty when the platform refuses.
ComPtr<IFont> CreateOleFont(const wchar_t* name, double points, SHORT weight);

// The font object's GDI font, owned by the object; null when it has none.
HFONT FontHandle(IFont* font);
