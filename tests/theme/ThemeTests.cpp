// The visual-style module over real windows, through a control whose
// properties a test sets and the platform seam: detection, FixThemeSupport,
// and the graphical command button's look, painting and redirection.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "Error.h"
#include "Pictures.h"
#include "Surface.h"
#include "TestWindow.h"
#include "ThemeContainer.h"
#include "ThemeControl.h"
#include "ThemePlatform.h"
#include "UniqueHandle.h"
#include "XpThemeErrors.h"
#include "XpThemeInternals.h"
#include "mdXpThemeSupport.h"

using namespace mdXpThemeSupport;
using Names = std::vector<std::string>;

namespace {

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

// For one test: sets the visual-style module's platform seam (only what Wine
// cannot show) and listens to its error hook, which records the procedures it
// is told of in `errors`; puts both back at the end.
class ScopedThemePlatform {
public:
    ScopedThemePlatform() { errors.clear(); }
    ~ScopedThemePlatform() {
        CurrentThemePlatform() = saved_;
        SetErrorListener(previousListener_);
    }
    ScopedThemePlatform(const ScopedThemePlatform&) = delete;
    ScopedThemePlatform& operator=(const ScopedThemePlatform&) = delete;

    ThemePlatform* operator->() noexcept { return &CurrentThemePlatform(); }

    // Wine's common controls 6 answer 5.81: the version the module sees. A
    // major version of 0: the query fails as a missing export does.
    void SetComCtlVersion(DWORD major) {
        major_ = major;
        CurrentThemePlatform().DllGetVersion = [](DLLVERSIONINFO* info) {
            if (!major_) throw Error(453, L"theme_tests", L"Specified DLL function not found: DllGetVersion");
            info->dwMajorVersion = major_;
            return S_OK;
        };
    }
    // Wine's light theme shapes a push button as its whole rectangle: a
    // rounded shape instead, so that corners exist.
    void UseRoundedButtonShape() { CurrentThemePlatform().GetThemeBackgroundRegion = &RoundedRegion; }

    static inline std::vector<std::string> errors;

private:
    static HRESULT WINAPI RoundedRegion(HTHEME theme, HDC, int, int, LPCRECT rect, HRGN* region) {
        *region = theme ? CreateRoundRectRgn(rect->left, rect->top, rect->right + 1, rect->bottom + 1, 8, 8) : nullptr;
        return theme ? S_OK : E_HANDLE;
    }

    static inline DWORD major_ = 0;
    ThemePlatform saved_ = CurrentThemePlatform();
    ErrorListener previousListener_ =
        SetErrorListener([](const char* procedure, const std::wstring&) { errors.emplace_back(procedure); });
};

// The reference data of the subclass `procedure` installed on hwnd with
// identifier 0; empty when none.
std::optional<DWORD_PTR> SubclassData(HWND hwnd, SUBCLASSPROC procedure) {
    // The 64-bit import library leaves this export out.
    using GetWindowSubclassProc = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass = reinterpret_cast<GetWindowSubclassProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "GetWindowSubclass")));
    DWORD_PTR data = 0;
    if (!getWindowSubclass(hwnd, procedure, 0, &data)) return std::nullopt;
    return data;
}

constexpr int kWidth = 96, kHeight = 56;

// A graphical command button and its control object, painted into a surface.
class ButtonPaint : public testing::Test {
protected:
    void SetUp() override {
        button.window = window.AddChild(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, kWidth, kHeight);
        theme.reset(OpenThemeData(button.window, L"BUTTON"));
        if (!theme) GTEST_SKIP() << "no visual style draws buttons on this system";
        SetFocus(window.hWnd());
        GetThemeBackgroundContentRect(theme.get(), nullptr, BP_PUSHBUTTON, PBS_NORMAL, &client, &content);
    }

    Surface Paint() const {
        Surface surface(kWidth, kHeight, kWhite);
        pvDrawButton(button.window, surface.hDC(), button);
        return surface;
    }

    // The bare face of a state over a background, drawn by the theme itself.
    Surface Face(int state, COLORREF background = kWhite) const {
        Surface surface(kWidth, kHeight, background);
        DrawThemeBackground(theme.get(), surface.hDC(), BP_PUSHBUTTON, state, &client, &client);
        return surface;
    }

    ScopedThemePlatform platform;
    FakeControl button;
    TestWindow window;
    UniqueTheme theme;
    const RECT client{0, 0, kWidth, kHeight};
    RECT content{};
};

}  // namespace

// Under Wine the light theme is always on: the rows set what the platform answers.
TEST(ThemeStartup, ThemedOnlyWhenAppThemedThemeActiveAndControlsAllowed) {
    ScopedThemePlatform platform;
    static const struct {
        BOOL appThemed, themeActive;
        DWORD properties;
        bool themed;
    } rows[] = {{TRUE, TRUE, STAP_ALLOW_CONTROLS, true},
                {TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS, true},
                {FALSE, TRUE, STAP_ALLOW_CONTROLS, false},
                {TRUE, FALSE, STAP_ALLOW_CONTROLS, false},
                {TRUE, TRUE, STAP_ALLOW_NONCLIENT | STAP_ALLOW_WEBCONTENT, false}};
    static const auto* row = rows;
    platform->IsAppThemed = [] { return row->appThemed; };
    platform->IsThemeActive = [] { return row->themeActive; };
    platform->GetThemeAppProperties = [] { return row->properties; };
    for (row = rows; row != std::end(rows); ++row)
        EXPECT_EQ(row->themed, pvIsThemed()) << row->appThemed << row->themeActive << row->properties;
    platform->IsThemeActive = []() -> BOOL { throw Error(48, L"theme_tests", L"Error in loading DLL"); };
    EXPECT_FALSE(pvIsThemed()) << "a failing call means no styles";
    EXPECT_TRUE(ScopedThemePlatform::errors.empty()) << "asked at every message, without the hook";
}

TEST(ThemeStartup, FixThemeSupportSubclassesTheFramesAndTheGraphicalButtons) {
    ScopedThemePlatform platform;
    FakeControl controls[7];
    TestWindow window;
    const struct {
        ThemeControlKind kind;
        DWORD style;
        std::optional<std::int32_t> styleProperty;  // 1 graphical, 0 standard
        SUBCLASSPROC subclass;
    } rows[] = {
        {ThemeControlKind::Frame, BS_GROUPBOX, {}, &pvRedirectFrame},
        {ThemeControlKind::CommandButton, BS_PUSHBUTTON, 0, nullptr},
        {ThemeControlKind::CommandButton, BS_PUSHBUTTON, 1, &pvRedirectButton},
        {ThemeControlKind::CheckBox, BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, &pvRedirectButton},
        {ThemeControlKind::OptionButton, BS_AUTORADIOBUTTON | BS_PUSHLIKE, 1, &pvRedirectButton},
        {ThemeControlKind::CheckBox, BS_AUTOCHECKBOX, 2, nullptr},
        {ThemeControlKind::Other, BS_PUSHBUTTON, 1, nullptr},
    };
    std::vector<ThemeControl*> list{nullptr};  // not set: reported, and the walk goes on
    for (int i = 0; i < 7; ++i) {
        controls[i].kind = rows[i].kind;
        controls[i].style = rows[i].styleProperty;
        controls[i].window = window.AddChild(L"BUTTON", L"", rows[i].style, 5, 5 + 25 * i, 80, 20);
        list.push_back(&controls[i]);
    }
    // The test program carries no manifest: on Windows as under Wine (whose
    // version 6 answers 5.81 too) the real answer is version 5. A failing
    // version query (0 here) goes to the hook.
    EXPECT_FALSE(IsComCtl6Loaded());
    for (const DWORD major : {0u, 5u, 6u}) {
        platform.SetComCtlVersion(major);
        EXPECT_EQ(major == 6, FixThemeSupport(list));
        for (int i = 0; i < 7; ++i) {
            for (const SUBCLASSPROC procedure : {&pvRedirectFrame, &pvRedirectButton}) {
                const bool expected = major == 6 && procedure == rows[i].subclass;
                const auto object = procedure == &pvRedirectButton ? reinterpret_cast<DWORD_PTR>(list[i + 1]) : 0;
                EXPECT_EQ(expected ? std::optional(object) : std::nullopt, SubclassData(controls[i].window, procedure))
                    << "version " << major << ", control " << i;
            }
        }
    }
    EXPECT_EQ((Names{"IsComCtl6Loaded", "FixThemeSupport"}), ScopedThemePlatform::errors);
    // A Style that cannot be read is a failing test: the step it guards runs.
    controls[1].style.reset();
    EXPECT_TRUE(FixThemeSupport({&controls[1]}));
    EXPECT_TRUE(SubclassData(controls[1].window, &pvRedirectButton));
    EXPECT_EQ(3u, ScopedThemePlatform::errors.size());
}

// Each row's words set up one situation: the button "disabled", "hot",
// "pushed", "checked" or "grayed" (Value 1 or 2), "focused" (else the focus
// is on a text box), "default" (or "no-default": a kind without Default);
// the window's active control "active:text" or "active:other" (another
// command button; this one, the window in the background, is the same case);
// a picture property "no-..." (not set) or "empty-..." (handle 0); or a
// property that cannot be read: "unreadable-..." or "no-parent".
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
        {"focused", PBS_DEFAULTED, kPicture},
        {"default active:text", PBS_DEFAULTED, kPicture},
        {"default", PBS_DEFAULTED, kPicture},
        {"default active:other", PBS_NORMAL, kPicture},
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
        form.active = has("active:text") ? &textBoxControl : has("active:other") ? &otherCommand : nullptr;
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

// The look's state (chosen as the table above shows) paints its face.
TEST_F(ButtonPaint, TheStatePaintsItsThemedFaceAndTheFocusItsRectangle) {
    button.value = 1;
    EXPECT_TRUE(SameImage(Face(PBS_PRESSED), Paint()));
    button.value = 0;
    SetFocus(button.window);
    Surface expected = Face(PBS_DEFAULTED);
    DrawFocusRect(expected.hDC(), &content);
    EXPECT_TRUE(SameImage(expected, Paint()));
    EXPECT_TRUE(ScopedThemePlatform::errors.empty());
}

TEST_F(ButtonPaint, CornersShowTheParentsBackground) {
    platform.UseRoundedButtonShape();
    EXPECT_EQ(Face(PBS_NORMAL, TestWindow::kBackground).Pixel(kWidth - 1, 0), Paint().Pixel(kWidth - 1, 0));
    EXPECT_EQ(Face(PBS_NORMAL).Pixel(kWidth / 2, 2), Paint().Pixel(kWidth / 2, 2)) << "inside, the face alone";
}

TEST_F(ButtonPaint, APictureIsRenderedUprightOrThroughItsMaskColourOrEmbossedWhenDisabled) {
    // Centred in the content rectangle, halves rounded to even.
    const auto centred = [](LONG low, LONG high) { return std::lrint((high - low - 12) / 2.0 + low); };
    const LONG left = centred(content.left, content.right), top = centred(content.top, content.bottom);
    // Without the mask colour, rendered upright (Wine's mirrored stretch drops the first row).
    button.picture = MakePicture(12, 12, [](int, int y) { return y < 6 ? kRed : kBlue; });
    EXPECT_EQ((RECT{left, top + 6, left + 12, top + 12}), Paint().Bounds(kBlue));
    button.maskColor = kMagenta;
    for (const bool enabled : {true, false}) {
        // A square in a magenta frame: red when enabled, black to be embossed.
        const COLORREF ink = enabled ? kRed : kBlack;
        button.picture = MakePicture(12, 12, [=](int x, int y) { return x % 9 > 2 && y % 9 > 2 ? ink : kMagenta; });
        button.enabled = enabled;
        button.useMaskColor = enabled;  // plays no part when disabled
        const Surface painted = Paint();
        EXPECT_EQ((RECT{left + 3, top + 3, left + 9, top + 9}),
                  painted.Bounds(enabled ? kRed : GetSysColor(COLOR_3DSHADOW)))
            << enabled;
        const Surface face = Face(enabled ? PBS_NORMAL : PBS_DISABLED);
        EXPECT_EQ(face.Pixel(left, top), painted.Pixel(left, top)) << "the mask colour is open";
    }
}

// A graphical button subclassed by FixThemeSupport, rounded so that corners exist: each message
// still reaches the button's own processing (its focus state shows it), redrawing on again after
// it; it sets Hot and repaints the shape, or all after an enable change.
TEST(ButtonRedirect, EachMessageSetsHotAndRepaintsTheShapeOrAll) {
    ScopedThemePlatform platform;
    platform.SetComCtlVersion(6);
    if (!pvIsThemed()) GTEST_SKIP() << "visual styles are off on this system";
    platform.UseRoundedButtonShape();
    FakeControl button;
    TestWindow window;
    button.window = window.AddChild(L"BUTTON", L"Go", BS_PUSHBUTTON, 20, 20, 90, 30);
    ASSERT_TRUE(FixThemeSupport({&button}));
    // Whether a point of the client area waits to be repainted.
    const auto pendingAt = [&](int x, int y) {
        const UniqueRegion pending(CreateRectRgn(0, 0, 0, 0));
        return GetUpdateRgn(button.window, pending.get(), FALSE) > NULLREGION && PtInRegion(pending.get(), x, y);
    };
    const struct {
        UINT msg;
        bool hotBefore, hotAfter, focusState, corners;
    } rows[] = {
        {WM_MOUSEMOVE, false, false, false, false},  // only until the first themed paint
        {WM_MOUSEHOVER, false, true, false, false}, {WM_MOUSELEAVE, true, false, false, false},
        {WM_LBUTTONDOWN, false, true, true, false}, {WM_LBUTTONUP, true, true, true, false},
        {WM_RBUTTONUP, false, false, true, false},  {WM_KILLFOCUS, true, false, false, false},
        {WM_SETFOCUS, true, true, true, false},     {WM_ENABLE, false, false, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.msg);
        ValidateRect(button.window, nullptr);
        pvSetHot(button.window, row.hotBefore);
        SendMessageA(button.window, row.msg, row.msg == WM_ENABLE, MAKELPARAM(10, 10));
        EXPECT_EQ(row.hotAfter, pvGetHot(button.window));
        EXPECT_EQ(row.focusState, (SendMessageA(button.window, BM_GETSTATE, 0, 0) & BST_FOCUS) != 0);
        EXPECT_TRUE(IsWindowVisible(button.window)) << "left without redraw";
        EXPECT_TRUE(pendingAt(45, 15));
        EXPECT_EQ(row.corners, pendingAt(0, 0));
        UpdateWindow(button.window);
        EXPECT_TRUE(pvGetPainted(button.window));
    }
    SendMessageA(button.window, WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    EXPECT_FALSE(pendingAt(45, 15)) << "a move after the first themed paint repainted";
}
