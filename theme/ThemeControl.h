#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <cstdint>
#include <string>

#include "ComPtr.h"
#include "Error.h"

class ThemeContainer;

enum class ThemeControlKind { Frame, CommandButton, OptionButton, CheckBox, Other };

// How the visual-style module reads one control of a window. Every property
// that a kind of control lacks throws MissingPropertyError (a check box has
// no Default, a text box no Style); the module copes with that failure.
class ThemeControl {
public:
    virtual ~ThemeControl() = default;

    virtual ThemeControlKind Kind() const noexcept = 0;
    virtual HWND hWnd() const = 0;
    // Button kinds: 1 graphical (shows pictures), 0 standard.
    virtual std::int32_t Style() const = 0;
    // Pressed or checked; a check box answers 0, 1 (checked) or 2 (grayed).
    virtual std::int32_t Value() const = 0;
    virtual bool Default() const = 0;
    virtual bool Enabled() const = 0;
    virtual const ThemeContainer& Parent() const = 0;
    // Each possibly empty: not set, or a picture whose handle is 0.
    virtual ComPtr<IPicture> Picture() const = 0;
    virtual ComPtr<IPicture> DownPicture() const = 0;
    virtual ComPtr<IPicture> DisabledPicture() const = 0;
    virtual bool UseMaskColor() const = 0;
    // Colours: bit 31 set names a system colour by its low byte.
    virtual OLE_COLOR MaskColor() const = 0;
    virtual OLE_COLOR BackColor() const = 0;
    virtual std::wstring Caption() const = 0;
    virtual ComPtr<IFont> Font() const = 0;
};

// The failure of reading a property that a control does not have.
Error MissingPropertyError(const wchar_t* propertyName);
