// The state and picture that pvDrawButton paints, from the button window's
// real state word, focus and "Hot" property and from the control object.
#include <windows.h>

#include <gtest/gtest.h>
#include <vssym32.h>

#include "FakeControl.h"
#include "Pictures.h"
#include "ScopedThemePlatform.h"
#include "Surface.h"
#include "TestWindow.h"
#include "XpThemeInternals.h"

using namespace mdXpThemeSupport;

// Each row's words set up one situation: the button "disabled", "hot",
// "pushed", "checked" or "grayed" (Value 1 or 2), "focused" (else the focus
// is on a text box), "default" (or "no-default": a kind without Default);
// the window's active control "active:text", "active:other" (another command
// button) or "active:this"; a picture property "no-..." (not set) or
// "empty-..." (handle 0); or a property that cannot be read: "unreadable-..."
// or "no-parent".
TEST(ButtonLook, StateAndPictureFollowTheButtonAndTheControl) {
    enum Drawn { kNone, kPicture, kDown, kDisabled };
    struct Row {
        const char* words;
        int state;
        Drawn drawn;
        std::size_t errors = 0;
    };
    const Row rows[] = {
        {"disabled", PBS_DISABLED, kDisabled},
        {"disabled empty-disabled", PBS_DISABLED, kPicture},
        {"disabled hot pushed checked", PBS_DISABLED, kDisabled},
        {"hot checked", PBS_HOT, kDown},
        {"hot grayed", PBS_HOT, kDown},
        {"hot checked empty-down", PBS_HOT, kPicture},
        {"hot", PBS_HOT, kPicture},
        {"hot pushed", PBS_PRESSED, kDown},
        {"checked", PBS_PRESSED, kDown},
        {"pushed no-down", PBS_PRESSED, kPicture},
        {"checked empty-picture empty-down", PBS_PRESSED, kNone},
        {"focused", PBS_DEFAULTED, kPicture},
        {"default active:text", PBS_DEFAULTED, kPicture},
        {"default", PBS_DEFAULTED, kPicture},
        {"default active:other", PBS_NORMAL, kPicture},
        {"default active:this", PBS_NORMAL, kPicture},  // the window is in the background
        {"no-default", PBS_NORMAL, kPicture},
        {"", PBS_NORMAL, kPicture},
        {"empty-picture", PBS_NORMAL, kNone},
        // A step that fails goes to the hook; a failing test runs the step it guards.
        {"unreadable-enabled checked", PBS_DISABLED, kDisabled, 1},
        {"unreadable-value", PBS_NORMAL, kPicture, 1},
        {"unreadable-picture", PBS_NORMAL, kNone, 1},
        {"no-default no-parent", PBS_NORMAL, kPicture},  // ignored without the hook
    };
    TestWindow window;
    const HWND hwnd = window.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, 90, 40);
    const HWND textBox = window.AddChild(L"EDIT", L"", WS_BORDER, 10, 60, 90, 20);
    auto solid = [](COLORREF colour) { return MakePicture(4, 4, [=](int, int) { return colour; }); };
    const ComPtr<IPicture> pictures[] = {nullptr, solid(kRed), solid(kGreen), solid(kBlue)};
    FakeContainer form;
    FakeControl textBoxControl, otherCommand;
    textBoxControl.kind = ThemeControlKind::Other;
    textBoxControl.isDefault.reset();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.words);
        const std::string words = " " + std::string(row.words) + " ";
        auto has = [&](const char* word) { return words.find(" " + std::string(word) + " ") != std::string::npos; };
        auto holding = [&](const char* name, Drawn drawn) -> std::optional<ComPtr<IPicture>> {
            if (has(("unreadable-" + std::string(name)).c_str())) return std::nullopt;
            if (has(("no-" + std::string(name)).c_str())) return ComPtr<IPicture>();
            if (has(("empty-" + std::string(name)).c_str())) return MakeEmptyPicture();
            return pictures[drawn];
        };
        FakeControl control;
        control.window = hwnd;
        control.parent = has("no-parent") ? nullptr : &form;
        control.enabled = !has("disabled");
        if (has("unreadable-enabled")) control.enabled.reset();
        control.value = has("checked") ? 1 : has("grayed") ? 2 : 0;
        if (has("unreadable-value")) control.value.reset();
        control.isDefault = has("default");
        if (has("no-default")) control.isDefault.reset();
        control.picture = holding("picture", kPicture);
        control.downPicture = holding("down", kDown);
        control.disabledPicture = holding("disabled", kDisabled);
        form.active = has("active:text")    ? &textBoxControl
                      : has("active:other") ? &otherCommand
                      : has("active:this")  ? &control
                                            : nullptr;
        SetFocus(has("focused") ? hwnd : textBox);
        SendMessageW(hwnd, BM_SETSTATE, has("pushed"), 0);
        pvSetHot(hwnd, has("hot"));

        const ScopedThemePlatform hook;
        const ButtonLook look = pvChooseButtonLook(hwnd, control);
        EXPECT_EQ(row.state, look.state);
        EXPECT_TRUE(look.picture == pictures[row.drawn]) << "expected picture " << row.drawn;
        EXPECT_EQ(has("focused"), look.focused);
        EXPECT_EQ(row.errors, ScopedThemePlatform::errors.size());
    }
}
