// The application's control objects: what the visual-style module reads from
// standard controls.
#include <windows.h>

#include <gtest/gtest.h>

#include "FormControls.h"
#include "OleObjects.h"
#include "RuntimeError.h"
#include "TestWindow.h"
#include "Text.h"

namespace {

// A property read as text: "!" when the control's kind lacks it.
template <typename Read>
std::string Token(Read read) {
    try {
        return read();
    } catch (const Error& error) {
        return error.Number() == kErrMissingProperty ? "!" : "?";
    }
}

}  // namespace

TEST(FormControls, OneObjectPerControlInTheWindowsOrderReadFromTheWindow) {
    TestWindow window;
    const ComPtr<IFont> font = CreateOleFont(L"Verdana", 6.75, FW_BOLD);
    // Per control: Style, Value, Default, Enabled, Caption, BackColor's
    // system colour, then "." for each of Picture, DownPicture,
    // DisabledPicture, UseMaskColor and MaskColor at none, false, light grey.
    const struct {
        const wchar_t* windowClass;
        DWORD style;
        ThemeControlKind kind;
        const char* reads;
    } rows[] = {
        {L"BUTTON", BS_PUSHBUTTON | WS_DISABLED, ThemeControlKind::CommandButton, "0 0 0 0 Text 15 ....."},
        {L"BUTTON", BS_DEFPUSHBUTTON, ThemeControlKind::CommandButton, "0 0 1 1 Text 15 ....."},
        {L"BUTTON", BS_AUTOCHECKBOX, ThemeControlKind::CheckBox, "0 1 ! 1 Text 15 ....."},
        {L"BUTTON", BS_AUTORADIOBUTTON, ThemeControlKind::OptionButton, "0 0 ! 1 Text 15 ....."},
        {L"BUTTON", BS_GROUPBOX, ThemeControlKind::Frame, "! ! ! 1 Text 15 !!!!!"},
        {L"EDIT", 0, ThemeControlKind::Other, "! ! ! 1 ! 5 !!!!!"},
        {L"STATIC", 0, ThemeControlKind::Other, "! ! ! 1 Text 15 !!!!!"},
    };
    for (const auto& row : rows) window.AddChild(row.windowClass, L"Text", row.style, 5, 5, 80, 20);
    FormControls controls;
    controls.Collect(window.hWnd(), font);
    controls.Collect(window.hWnd(), font);  // a second collection replaces the first
    const std::vector<ThemeControl*> list = controls.List();
    ASSERT_EQ(std::size(rows), list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ThemeControl& control = *list[i];
        if (i == 2) SendMessageW(control.hWnd(), BM_SETCHECK, BST_CHECKED, 0);
        EXPECT_EQ(&control, controls.Find(control.hWnd()));
        EXPECT_EQ(static_cast<int>(rows[i].kind), static_cast<int>(control.Kind())) << i;
        EXPECT_EQ(&controls, &control.Parent());
        EXPECT_TRUE(control.Font() == font);
        const std::string reads =
            Token([&] { return std::to_string(control.Style()); }) + " " +
            Token([&] { return std::to_string(control.Value()); }) + " " +
            Token([&] { return std::to_string(control.Default()); }) + " " + std::to_string(control.Enabled()) + " " +
            Token([&] { return ToAnsi(control.Caption()); }) + " " + std::to_string(control.BackColor() ^ 0x80000000u) +
            " " + Token([&] { return control.Picture() ? "?" : "."; }) +
            Token([&] { return control.DownPicture() ? "?" : "."; }) +
            Token([&] { return control.DisabledPicture() ? "?" : "."; }) +
            Token([&] { return control.UseMaskColor() ? "?" : "."; }) +
            Token([&] { return control.MaskColor() == 0xC0C0C0u ? "." : "?"; });
        EXPECT_EQ(rows[i].reads, reads) << i;
    }
    EXPECT_EQ(nullptr, controls.Find(window.hWnd()));
    for (std::size_t i : {5u, 3u}) {
        SetFocus(list[i]->hWnd());
        EXPECT_EQ(list[i], controls.ActiveControl());
    }
    SetFocus(window.hWnd());
    EXPECT_EQ(nullptr, controls.ActiveControl());
}
