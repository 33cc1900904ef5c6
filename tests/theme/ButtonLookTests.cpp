// The state and picture that pvDrawButton paints, from the button window's
// real state word, focus and "Hot" property and from the control object.
#include <windows.h>

#include <gtest/gtest.h>
#include <vssym32.h>
#include <optional>
#include <string>
#include <vector>

#include "ErrorRecorder.h"
#include "FailingPicture.h"
#include "FakeControl.h"
#include "TestPictures.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"

using namespace mdXpThemeSupport;

namespace {

enum class Active { None, TextBox, OtherCommandButton, ThisButton };
enum class Pic { None, Picture, Down, Disabled };
// What each picture property holds: a picture, an empty picture (handle 0),
// or nothing at all.
enum class Holds { Picture, Empty, Nothing };

struct Row {
    const char* name;
    bool enabled = true;
    bool hot = false;
    bool pushed = false;
    std::int32_t value = 0;
    bool focused = false;
    std::optional<bool> isDefault = false;  // empty: the control has no Default
    Active active = Active::None;
    Holds picture = Holds::Picture;
    Holds down = Holds::Picture;
    Holds disabled = Holds::Picture;
    int state = PBS_NORMAL;
    Pic drawn = Pic::Picture;
    bool focusShown = false;
};

const char* Name(Pic pic) {
    switch (pic) {
        case Pic::None:
            return "no picture";
        case Pic::Picture:
            return "Picture";
        case Pic::Down:
            return "DownPicture";
        case Pic::Disabled:
            return "DisabledPicture";
    }
    return "?";
}

class ButtonLookTest : public testing::Test {
protected:
    void SetUp() override {
        button_ = window_.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, 90, 40);
        textBox_ = window_.AddChild(L"EDIT", L"", WS_BORDER, 10, 60, 90, 20);
        auto solid = [](COLORREF color) { return MakeBitmapPicture(4, 4, [=](int, int) { return color; }); };
        picture_ = solid(RGB(255, 0, 0));
        down_ = solid(RGB(0, 255, 0));
        disabled_ = solid(RGB(0, 0, 255));
        empty_ = MakeEmptyPicture();
        textBoxControl_.kind = ThemeControlKind::Other;
        textBoxControl_.isDefault.reset();
        otherCommand_.isDefault = false;
    }

    ComPtr<IPicture> Holding(Holds holds, const ComPtr<IPicture>& picture) const {
        switch (holds) {
            case Holds::Picture:
                return picture;
            case Holds::Empty:
                return empty_;
            case Holds::Nothing:
                return nullptr;
        }
        return nullptr;
    }

    ComPtr<IPicture> Expected(Pic pic) const {
        switch (pic) {
            case Pic::None:
                return nullptr;
            case Pic::Picture:
                return picture_;
            case Pic::Down:
                return down_;
            case Pic::Disabled:
                return disabled_;
        }
        return nullptr;
    }

    // Puts the button window and its control object in the row's state.
    void Arrange(const Row& row) {
        control_ = FakeControl();
        control_.window = button_;
        control_.parent = &form_;
        control_.enabled = row.enabled;
        control_.value = row.value;
        control_.isDefault = row.isDefault;
        control_.picture = Holding(row.picture, picture_);
        control_.downPicture = Holding(row.down, down_);
        control_.disabledPicture = Holding(row.disabled, disabled_);
        SetFocus(row.focused ? button_ : textBox_);
        SendMessageW(button_, BM_SETSTATE, row.pushed, 0);
        pvSetHot(button_, row.hot);
        switch (row.active) {
            case Active::None:
                form_.active = nullptr;
                break;
            case Active::TextBox:
                form_.active = &textBoxControl_;
                break;
            case Active::OtherCommandButton:
                form_.active = &otherCommand_;
                break;
            case Active::ThisButton:
                form_.active = &control_;
                break;
        }
    }

    void Check(const Row& row) {
        SCOPED_TRACE(row.name);
        Arrange(row);
        const ButtonLook look = pvChooseButtonLook(button_, control_);
        EXPECT_EQ(row.state, look.state);
        EXPECT_TRUE(look.picture == Expected(row.drawn)) << "expected " << Name(row.drawn) << ", got "
                                                         << (look.picture == picture_    ? "Picture"
                                                             : look.picture == down_     ? "DownPicture"
                                                             : look.picture == disabled_ ? "DisabledPicture"
                                                             : look.picture              ? "another picture"
                                                                                         : "no picture");
        EXPECT_EQ(row.focusShown, look.focused);
    }

    TestWindow window_;
    HWND button_ = nullptr;
    HWND textBox_ = nullptr;
    ComPtr<IPicture> picture_, down_, disabled_, empty_;
    FakeContainer form_;
    FakeControl control_, textBoxControl_, otherCommand_;
};

TEST_F(ButtonLookTest, StateAndPictureTable) {
    ErrorRecorder errors;
    const Row rows[] = {
        {.name = "disabled: DisabledPicture", .enabled = false, .state = PBS_DISABLED, .drawn = Pic::Disabled},
        {.name = "disabled, DisabledPicture empty: Picture",
         .enabled = false,
         .disabled = Holds::Empty,
         .state = PBS_DISABLED,
         .drawn = Pic::Picture},
        {.name = "disabled, no DisabledPicture: Picture",
         .enabled = false,
         .disabled = Holds::Nothing,
         .state = PBS_DISABLED,
         .drawn = Pic::Picture},
        {.name = "disabled beats hot, pushed and checked",
         .enabled = false,
         .hot = true,
         .pushed = true,
         .value = 1,
         .state = PBS_DISABLED,
         .drawn = Pic::Disabled},
        {.name = "hot, checked: DownPicture", .hot = true, .value = 1, .state = PBS_HOT, .drawn = Pic::Down},
        {.name = "hot, grayed (2) reads checked", .hot = true, .value = 2, .state = PBS_HOT, .drawn = Pic::Down},
        {.name = "hot, checked, DownPicture empty: Picture",
         .hot = true,
         .value = 1,
         .down = Holds::Empty,
         .state = PBS_HOT,
         .drawn = Pic::Picture},
        {.name = "hot, not checked: Picture even with a DownPicture",
         .hot = true,
         .state = PBS_HOT,
         .drawn = Pic::Picture},
        {.name = "hot and pushed: pressed, not hot",
         .hot = true,
         .pushed = true,
         .state = PBS_PRESSED,
         .drawn = Pic::Down},
        {.name = "checked: pressed", .value = 1, .state = PBS_PRESSED, .drawn = Pic::Down},
        {.name = "pushed, DownPicture missing: Picture",
         .pushed = true,
         .down = Holds::Nothing,
         .state = PBS_PRESSED,
         .drawn = Pic::Picture},
        {.name = "pressed, both pictures empty: none",
         .value = 1,
         .picture = Holds::Empty,
         .down = Holds::Empty,
         .state = PBS_PRESSED,
         .drawn = Pic::None},
        {.name = "focused: defaulted with the focus rectangle",
         .focused = true,
         .state = PBS_DEFAULTED,
         .drawn = Pic::Picture,
         .focusShown = true},
        {.name = "Default and focused",
         .focused = true,
         .isDefault = true,
         .active = Active::ThisButton,
         .state = PBS_DEFAULTED,
         .focusShown = true},
        {.name = "Default, focus on a text box (no Default there)",
         .isDefault = true,
         .active = Active::TextBox,
         .state = PBS_DEFAULTED},
        {.name = "Default, no active control", .isDefault = true, .active = Active::None, .state = PBS_DEFAULTED},
        {.name = "Default, another command button active",
         .isDefault = true,
         .active = Active::OtherCommandButton,
         .state = PBS_NORMAL},
        {.name = "Default, this button active but the focus elsewhere (window in the background)",
         .isDefault = true,
         .active = Active::ThisButton,
         .state = PBS_NORMAL},
        {.name = "no Default property (check box)", .isDefault = std::nullopt, .state = PBS_NORMAL},
        {.name = "normal: Picture", .state = PBS_NORMAL, .drawn = Pic::Picture},
        {.name = "normal, Picture empty: none", .picture = Holds::Empty, .state = PBS_NORMAL, .drawn = Pic::None},
        {.name = "normal, no Picture: none", .picture = Holds::Nothing, .state = PBS_NORMAL, .drawn = Pic::None},
    };
    for (const Row& row : rows) Check(row);
    EXPECT_TRUE(errors.Names().empty()) << "reported " << errors.Names().front();
}

TEST_F(ButtonLookTest, UnreadablePropertiesGoToTheHookAndTheChoiceGoesOn) {
    ErrorRecorder errors;
    {
        SCOPED_TRACE("Enabled unreadable: the disabled row it guards runs");
        Arrange({.name = "", .value = 1});
        control_.enabled.reset();
        const ButtonLook look = pvChooseButtonLook(button_, control_);
        EXPECT_EQ(PBS_DISABLED, look.state);
        EXPECT_TRUE(look.picture == disabled_);
        EXPECT_EQ(std::vector<std::string>{"pvDrawButton"}, errors.Names());
    }
    {
        SCOPED_TRACE("Value unreadable: reads false");
        errors.Clear();
        Arrange({.name = ""});
        control_.value.reset();
        EXPECT_EQ(PBS_NORMAL, pvChooseButtonLook(button_, control_).state);
        EXPECT_EQ(std::vector<std::string>{"pvDrawButton"}, errors.Names());
    }
    {
        SCOPED_TRACE("Picture unreadable: no picture");
        errors.Clear();
        Arrange({.name = ""});
        control_.picture.reset();
        EXPECT_FALSE(pvChooseButtonLook(button_, control_).picture);
        EXPECT_EQ(std::vector<std::string>{"pvDrawButton"}, errors.Names());
    }
    {
        SCOPED_TRACE("a picture whose handle cannot be read counts as none");
        errors.Clear();
        Arrange({.name = ""});
        control_.picture = MakeFailingPicture();
        EXPECT_FALSE(pvChooseButtonLook(button_, control_).picture);
        EXPECT_EQ(std::vector<std::string>{"pvDrawButton"}, errors.Names());
    }
    {
        SCOPED_TRACE("Default and Parent unreadable: ignored without the hook");
        errors.Clear();
        Arrange({.name = ""});
        control_.isDefault.reset();
        control_.parent = nullptr;
        EXPECT_EQ(PBS_NORMAL, pvChooseButtonLook(button_, control_).state);
        EXPECT_TRUE(errors.Names().empty()) << "reported " << errors.Names().front();
    }
}

}  // namespace
