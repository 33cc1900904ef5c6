#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ComPtr.h"
#include "ThemeContainer.h"
#include "ThemeControl.h"

// A control whose properties a test sets one by one; an empty property is one
// the control lacks, and reading it throws MissingPropertyError.
class FakeControl final : public ThemeControl {
public:
    ThemeControlKind kind = ThemeControlKind::CommandButton;
    HWND window = nullptr;
    std::optional<std::int32_t> style = 1;
    std::optional<std::int32_t> value = 0;
    std::optional<bool> isDefault = false;
    std::optional<bool> enabled = true;
    const ThemeContainer* parent = nullptr;  // null: no Parent
    std::optional<ComPtr<IPicture>> picture = ComPtr<IPicture>();
    std::optional<ComPtr<IPicture>> downPicture = ComPtr<IPicture>();
    std::optional<ComPtr<IPicture>> disabledPicture = ComPtr<IPicture>();
    std::optional<bool> useMaskColor = false;
    std::optional<OLE_COLOR> maskColor = 0xC0C0C0u;
    std::optional<OLE_COLOR> backColor = 0x8000000Fu;
    std::optional<std::wstring> caption = std::wstring();
    std::optional<ComPtr<IFont>> font = ComPtr<IFont>();

    ThemeControlKind Kind() const noexcept override { return kind; }
    HWND hWnd() const override { return window; }
    std::int32_t Style() const override { return Read(style, L"Style"); }
    std::int32_t Value() const override { return Read(value, L"Value"); }
    bool Default() const override { return Read(isDefault, L"Default"); }
    bool Enabled() const override { return Read(enabled, L"Enabled"); }
    const ThemeContainer& Parent() const override {
        if (!parent) throw MissingPropertyError(L"Parent");
        return *parent;
    }
    ComPtr<IPicture> Picture() const override { return Read(picture, L"Picture"); }
    ComPtr<IPicture> DownPicture() const override { return Read(downPicture, L"DownPicture"); }
    ComPtr<IPicture> DisabledPicture() const override { return Read(disabledPicture, L"DisabledPicture"); }
    bool UseMaskColor() const override { return Read(useMaskColor, L"UseMaskColor"); }
    OLE_COLOR MaskColor() const override { return Read(maskColor, L"MaskColor"); }
    OLE_COLOR BackColor() const override { return Read(backColor, L"BackColor"); }
    std::wstring Caption() const override { return Read(caption, L"Caption"); }
    ComPtr<IFont> Font() const override { return Read(font, L"Font"); }

private:
    template <typename T>
    static T Read(const std::optional<T>& property, const wchar_t* name) {
        if (!property) throw MissingPropertyError(name);
        return *property;
    }
};

class FakeContainer final : public ThemeContainer {
public:
    const ThemeControl* active = nullptr;
    const ThemeControl* ActiveControl() const override { return active; }
};
