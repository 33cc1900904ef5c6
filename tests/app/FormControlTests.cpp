// The application's control objects: what the visual-style module reads from
// standard controls, and the main window handing them over at load.
#include <windows.h>

#include <gtest/gtest.h>
#include <vector>

#include "Error.h"
#include "FormControls.h"
#include "FrmMain.h"
#include "OleObjects.h"
#include "ScopedThemePlatform.h"
#include "ScratchFolder.h"
#include "Subclasses.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"

using namespace mdXpThemeSupport;

namespace {

class FormControlTest : public testing::Test {
protected:
    void SetUp() override {
        font_ = CreateOleFont(L"Verdana", 6.75, FW_BOLD);
        command_ = window_.AddChild(L"BUTTON", L"Start", BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 80, 25);
        defaultCommand_ = window_.AddChild(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 90, 5, 80, 25);
        check_ = window_.AddChild(L"BUTTON", L"Show", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 35, 80, 20);
        option_ = window_.AddChild(L"BUTTON", L"One", BS_AUTORADIOBUTTON, 90, 35, 80, 20);
        frame_ = window_.AddChild(L"BUTTON", L"Frame", BS_GROUPBOX, 5, 60, 160, 50);
        text_ = window_.AddChild(L"EDIT", L"typed", WS_BORDER | WS_TABSTOP, 5, 115, 80, 20);
        label_ = window_.AddChild(L"STATIC", L"Heading", SS_LEFT, 90, 115, 80, 14);
        list_ = window_.AddChild(L"LISTBOX", L"", WS_BORDER, 180, 5, 80, 60);
        controls_.Collect(window_.hWnd(), font_);
    }

    const FormControl& Of(HWND hwnd) const {
        const FormControl* control = controls_.Find(hwnd);
        if (!control) throw Error(0, L"app_tests", L"no control object");
        return *control;
    }

    TestWindow window_;
    ComPtr<IFont> font_;
    HWND command_, defaultCommand_, check_, option_, frame_, text_, label_, list_;
    FormControls controls_;
};

TEST_F(FormControlTest, OneObjectPerControlInTheWindowsOrderWithItsKind) {
    struct Row {
        HWND hwnd;
        ThemeControlKind kind;
    };
    const Row rows[] = {
        {command_, ThemeControlKind::CommandButton}, {defaultCommand_, ThemeControlKind::CommandButton},
        {check_, ThemeControlKind::CheckBox},        {option_, ThemeControlKind::OptionButton},
        {frame_, ThemeControlKind::Frame},           {text_, ThemeControlKind::Other},
        {label_, ThemeControlKind::Other},           {list_, ThemeControlKind::Other},
    };
    const std::vector<ThemeControl*> list = controls_.List();
    ASSERT_EQ(std::size(rows), list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(rows[i].hwnd, list[i]->hWnd());
        EXPECT_EQ(static_cast<int>(rows[i].kind), static_cast<int>(list[i]->Kind()));
        EXPECT_EQ(&controls_, &list[i]->Parent());
        EXPECT_TRUE(list[i]->Font() == font_);
    }
}

TEST_F(FormControlTest, ButtonPropertiesComeFromTheWindow) {
    SendMessageW(check_, BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(command_, FALSE);
    EXPECT_EQ(1, Of(check_).Value());
    EXPECT_EQ(0, Of(option_).Value());
    EXPECT_FALSE(Of(command_).Default());
    EXPECT_TRUE(Of(defaultCommand_).Default());
    EXPECT_FALSE(Of(command_).Enabled());
    EXPECT_TRUE(Of(check_).Enabled());
    EXPECT_EQ(L"Show", Of(check_).Caption());
    EXPECT_EQ(L"Frame", Of(frame_).Caption());
    EXPECT_EQ(L"Heading", Of(label_).Caption());
    for (HWND button : {command_, check_, option_}) {
        const FormControl& control = Of(button);
        EXPECT_EQ(0, control.Style()) << "a standard control is not graphical";
        EXPECT_FALSE(control.Picture());
        EXPECT_FALSE(control.DownPicture());
        EXPECT_FALSE(control.DisabledPicture());
        EXPECT_FALSE(control.UseMaskColor());
        EXPECT_EQ(0x8000000Fu, control.BackColor());
    }
    EXPECT_EQ(0x80000005u, Of(text_).BackColor());
}

TEST_F(FormControlTest, PropertiesAKindLacksFailOnRead) {
    EXPECT_THROW(Of(check_).Default(), Error);
    EXPECT_THROW(Of(option_).Default(), Error);
    EXPECT_THROW(Of(text_).Style(), Error);
    EXPECT_THROW(Of(text_).Value(), Error);
    EXPECT_THROW(Of(text_).Caption(), Error);
    EXPECT_THROW(Of(frame_).Style(), Error);
    EXPECT_THROW(Of(label_).Picture(), Error);
    try {
        Of(check_).Default();
    } catch (const Error& error) {
        EXPECT_EQ(438, error.Number());
    }
}

TEST_F(FormControlTest, TheActiveControlFollowsTheFocus) {
    SetFocus(text_);
    EXPECT_EQ(&Of(text_), controls_.ActiveControl());
    SetFocus(command_);
    EXPECT_EQ(&Of(command_), controls_.ActiveControl());
    SetFocus(window_.hWnd());
    EXPECT_EQ(nullptr, controls_.ActiveControl());
}

TEST(FrmMainThemeTest, TheLoadHandlerHandsOverStandardControlsOnly) {
    ScopedThemePlatform platform;
    platform.SetComCtlVersion(6);
    const ScratchFolder folder;
    const auto form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path());
    ASSERT_TRUE(form);
    const std::vector<ThemeControl*> list = form->Controls().List();
    const int order[] = {IDC_COMMAND1, IDC_CHECK1, IDC_TEXT1,  IDC_PICTURE1,
                         IDC_LABEL1,   IDC_LIST1,  IDC_LABEL4, IDC_IMAGE2};
    ASSERT_EQ(std::size(order), list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(form->Control(order[i]), list[i]->hWnd());
        EXPECT_FALSE(SubclassData(list[i]->hWnd(), &pvRedirectFrame).has_value());
        EXPECT_FALSE(SubclassData(list[i]->hWnd(), &pvRedirectButton).has_value());
    }
    EXPECT_EQ(static_cast<int>(ThemeControlKind::CommandButton), static_cast<int>(list[0]->Kind()));
    EXPECT_EQ(static_cast<int>(ThemeControlKind::CheckBox), static_cast<int>(list[1]->Kind()));
}

}  // namespace
