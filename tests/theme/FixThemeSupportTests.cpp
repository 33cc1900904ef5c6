// FixThemeSupport over a real window: which controls get which subclass.
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ErrorRecorder.h"
#include "FakeControl.h"
#include "ScopedThemePlatform.h"
#include "Subclasses.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;

namespace {

// A window holding a frame, a standard command button, a graphical check box,
// a text box and a label, with a control object for each.
class FixThemeSupportTest : public testing::Test {
protected:
    FixThemeSupportTest() {
        frame_.kind = ThemeControlKind::Frame;
        frame_.window = window_.AddChild(L"BUTTON", L"Frame", BS_GROUPBOX, 5, 5, 150, 100);
        frame_.style.reset();
        command_.kind = ThemeControlKind::CommandButton;
        command_.window = window_.AddChild(L"BUTTON", L"Start", BS_PUSHBUTTON, 170, 10, 80, 25);
        command_.style = 0;
        check_.kind = ThemeControlKind::CheckBox;
        check_.window = window_.AddChild(L"BUTTON", L"Check", BS_AUTOCHECKBOX | BS_PUSHLIKE, 170, 40, 80, 25);
        check_.style = 1;
        text_.kind = ThemeControlKind::Other;
        text_.window = window_.AddChild(L"EDIT", L"", WS_BORDER, 170, 70, 80, 20);
        text_.style.reset();
        label_.kind = ThemeControlKind::Other;
        label_.window = window_.AddChild(L"STATIC", L"Label", SS_LEFT, 170, 100, 80, 14);
        label_.style.reset();
    }

    std::vector<ThemeControl*> All() { return {&frame_, &command_, &check_, &text_, &label_}; }

    void ExpectUntouched(const FakeControl& control, const char* name) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(SubclassData(control.window, &pvRedirectFrame).has_value());
        EXPECT_FALSE(SubclassData(control.window, &pvRedirectButton).has_value());
    }

    ScopedThemePlatform platform_;
    ErrorRecorder errors_;
    // The control objects outlive the windows that point at them.
    FakeControl frame_, command_, check_, text_, label_;
    TestWindow window_;
};

TEST_F(FixThemeSupportTest, Version6SubclassesExactlyTheFrameAndTheGraphicalButton) {
    platform_.SetComCtlVersion(6);
    EXPECT_TRUE(FixThemeSupport(All()));

    const auto frameData = SubclassData(frame_.window, &pvRedirectFrame);
    ASSERT_TRUE(frameData.has_value()) << "the frame has no pvRedirectFrame subclass";
    EXPECT_EQ(0u, *frameData);
    EXPECT_FALSE(SubclassData(frame_.window, &pvRedirectButton).has_value());

    const auto checkData = SubclassData(check_.window, &pvRedirectButton);
    ASSERT_TRUE(checkData.has_value()) << "the check box has no pvRedirectButton subclass";
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(static_cast<ThemeControl*>(&check_)), *checkData);
    EXPECT_FALSE(SubclassData(check_.window, &pvRedirectFrame).has_value());

    ExpectUntouched(command_, "standard command button");
    ExpectUntouched(text_, "text box");
    ExpectUntouched(label_, "label");
    EXPECT_TRUE(errors_.Names().empty()) << "reported " << errors_.Names().front();
}

TEST_F(FixThemeSupportTest, Version5AnswersFalseAndTouchesNothing) {
    platform_.SetComCtlVersion(5, 81);
    EXPECT_FALSE(FixThemeSupport(All()));
    for (const FakeControl* control : {&frame_, &command_, &check_, &text_, &label_})
        ExpectUntouched(*control, "control");
}

TEST_F(FixThemeSupportTest, WithoutTheSeamWineIsVersion5AndNothingIsTouched) {
    EXPECT_FALSE(FixThemeSupport(All()));
    ExpectUntouched(frame_, "frame");
    ExpectUntouched(check_, "check box");
}

TEST_F(FixThemeSupportTest, NoFrameAndNoGraphicalButtonStillAnswersTrue) {
    platform_.SetComCtlVersion(6);
    EXPECT_TRUE(FixThemeSupport({&command_, &text_, &label_}));
    EXPECT_TRUE(FixThemeSupport({}));
    ExpectUntouched(command_, "standard command button");
    ExpectUntouched(text_, "text box");
    ExpectUntouched(label_, "label");
}

TEST_F(FixThemeSupportTest, EveryButtonKindWithStyle1IsSubclassed) {
    platform_.SetComCtlVersion(7);
    FakeControl option;
    option.kind = ThemeControlKind::OptionButton;
    option.window = window_.AddChild(L"BUTTON", L"Option", BS_AUTORADIOBUTTON | BS_PUSHLIKE, 5, 110, 80, 25);
    command_.style = 1;
    check_.style = 2;  // neither standard nor graphical: left alone
    EXPECT_TRUE(FixThemeSupport({&option, &command_, &check_}));
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(static_cast<ThemeControl*>(&option)),
              SubclassData(option.window, &pvRedirectButton).value_or(0));
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(static_cast<ThemeControl*>(&command_)),
              SubclassData(command_.window, &pvRedirectButton).value_or(0));
    ExpectUntouched(check_, "check box of Style 2");
}

TEST_F(FixThemeSupportTest, AFailingReadGoesToTheHookAndTheWalkGoesOn) {
    platform_.SetComCtlVersion(6);
    // A Style that cannot be read is a failing test: the step it guards runs.
    command_.style.reset();
    EXPECT_TRUE(FixThemeSupport({nullptr, &command_, &frame_, &check_}));
    EXPECT_EQ((std::vector<std::string>{"FixThemeSupport", "FixThemeSupport"}), errors_.Names());
    EXPECT_TRUE(SubclassData(command_.window, &pvRedirectButton).has_value());
    EXPECT_TRUE(SubclassData(frame_.window, &pvRedirectFrame).has_value());
    EXPECT_TRUE(SubclassData(check_.window, &pvRedirectButton).has_value());
}

}  // namespace
