#include "FormControl.h"

#include <iterator>
#include <string>
#include <utility>

namespace {

constexpr OLE_COLOR kSystemColor = 0x80000000u;
constexpr OLE_COLOR kDefaultMaskColor = 0xC0C0C0u;

std::wstring ClassName(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return name;
}

bool IsClass(HWND hwnd, const wchar_t* name) {
    return lstrcmpiW(ClassName(hwnd).c_str(), name) == 0;
}

LONG ButtonType(HWND hwnd) {
    return GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
}

ThemeControlKind KindOf(HWND hwnd) {
    if (!IsClass(hwnd, L"Button")) return ThemeControlKind::Other;
    switch (ButtonType(hwnd)) {
        case BS_GROUPBOX:
            return ThemeControlKind::Frame;
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return ThemeControlKind::CommandButton;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return ThemeControlKind::OptionButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return ThemeControlKind::CheckBox;
        default:
            return ThemeControlKind::Other;
    }
}

}  // namespace

FormControl::FormControl(HWND hwnd, const ThemeContainer& parent, ComPtr<IFont> font)
    : hwnd_(hwnd), parent_(parent), font_(std::move(font)), kind_(KindOf(hwnd)) {}

bool FormControl::IsButtonKind() const noexcept {
    return kind_ == ThemeControlKind::CommandButton || kind_ == ThemeControlKind::OptionButton ||
           kind_ == ThemeControlKind::CheckBox;
}

void FormControl::RequireButtonKind(const wchar_t* propertyName) const {
    if (!IsButtonKind()) throw MissingPropertyError(propertyName);
}

std::int32_t FormControl::Style() const {
    RequireButtonKind(L"Style");
    return 0;
}

std::int32_t FormControl::Value() const {
    RequireButtonKind(L"Value");
    return static_cast<std::int32_t>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0));
}

bool FormControl::Default() const {
    if (kind_ != ThemeControlKind::CommandButton) throw MissingPropertyError(L"Default");
    return ButtonType(hwnd_) == BS_DEFPUSHBUTTON;
}

bool FormControl::Enabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

ComPtr<IPicture> FormControl::Picture() const {
    RequireButtonKind(L"Picture");
    return nullptr;
}

ComPtr<IPicture> FormControl::DownPicture() const {
    RequireButtonKind(L"DownPicture");
    return nullptr;
}

ComPtr<IPicture> FormControl::DisabledPicture() const {
    RequireButtonKind(L"DisabledPicture");
    return nullptr;
}

bool FormControl::UseMaskColor() const {
    RequireButtonKind(L"UseMaskColor");
    return false;
}

OLE_COLOR FormControl::MaskColor() const {
    RequireButtonKind(L"MaskColor");
    return kDefaultMaskColor;
}

OLE_COLOR FormControl::BackColor() const {
    const bool holdsText = IsClass(hwnd_, L"Edit") || IsClass(hwnd_, L"ListBox");
    return kSystemColor | static_cast<OLE_COLOR>(holdsText ? COLOR_WINDOW : COLOR_BTNFACE);
}

std::wstring FormControl::Caption() const {
    if (kind_ == ThemeControlKind::Other && !IsClass(hwnd_, L"Static")) throw MissingPropertyError(L"Caption");
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}
