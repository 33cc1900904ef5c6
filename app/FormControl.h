#pragma once

#include <windows.h>

#include "ComPtr.h"
#include "ThemeContainer.h"
#include "ThemeControl.h"

// One standard control of a window, as the visual-style module reads it: the
// kind comes from the window class and button style, the properties from the
// window itself. Standard controls are drawn by the system (Style 0) and
// carry no pictures.
class FormControl final : public ThemeControl {
public:
    FormControl(HWND hwnd, const ThemeContainer& parent, ComPtr<IFont> font);
    FormControl(const FormControl&) = delete;
    FormControl& operator=(const FormControl&) = delete;

    ThemeControlKind Kind() const noexcept override { return kind_; }
    HWND hWnd() const override { return hwnd_; }
    std::int32_t Style() const override;
    std::int32_t Value() const override;
    bool Default() const override;
    bool Enabled() const override;
    const ThemeContainer& Parent() const override { return parent_; }
    ComPtr<IPicture> Picture() const override;
    ComPtr<IPicture> DownPicture() const override;
    ComPtr<IPicture> DisabledPicture() const override;
    bool UseMaskColor() const override;
    OLE_COLOR MaskColor() const override;
    OLE_COLOR BackColor() const override;
    std::wstring Caption() const override;
    ComPtr<IFont> Font() const override { return font_; }

private:
    bool IsButtonKind() const noexcept;
    // Throws MissingPropertyError unless the control is of a button kind.
    void RequireButtonKind(const wchar_t* propertyName) const;

    HWND hwnd_;
    const ThemeContainer& parent_;
    ComPtr<IFont> font_;
    ThemeControlKind kind_;
};
