#include "AppFixture.h"

#include <commctrl.h>

#include "MessagePump.h"

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos) break;
        start = end + 2;
    }
    return lines;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

ScanFixture::ScanFixture() {
    scratch.CreateKey(kServices);
    form = FrmMain::Create(GetModuleHandleW(nullptr), folder.Path());
    EXPECT_NE(nullptr, form);
    DoEvents();
}

ScanFixture::~ScanFixture() {
    form.reset();
    DoEvents();
}

void ScanFixture::AddService(const std::wstring& name, const char* group, const char* description,
                             const char* displayName, const char* imagePath) {
    const std::wstring key = std::wstring(kServices) + L"\\" + name;
    scratch.CreateKey(key);
    if (group) scratch.SetText(key, "Group", group);
    if (description) scratch.SetText(key, "Description", description);
    if (displayName) scratch.SetText(key, "DisplayName", displayName);
    if (imagePath) scratch.SetText(key, "ImagePath", imagePath, REG_EXPAND_SZ);
}

void ScanFixture::Tick(int state) {
    SendMessageW(form->Control(IDC_CHECK1), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void ScanFixture::PressStart() {
    // As a user's click arrives: the button's notification to its window.
    HWND button = form->Control(IDC_COMMAND1);
    SendMessageW(form->hWnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::vector<std::wstring> ScanFixture::BoxLines() const {
    return SplitLines(WindowText(Text1()));
}

std::vector<std::string> ScanFixture::LogLines() const {
    auto lines = SplitLines(folder.ReadBytes(FrmMain::kLogFileName));
    if (!lines.empty() && lines.back().empty()) lines.pop_back();  // every line ends with CR LF
    return lines;
}

OnBoxLine::OnBoxLine(HWND box, std::wstring trigger, std::function<void()> action, Repeat repeat)
    : box_(box), trigger_(std::move(trigger)), action_(std::move(action)), repeat_(repeat) {
    SetWindowSubclass(box_, &OnBoxLine::Watch, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

OnBoxLine::~OnBoxLine() {
    RemoveWindowSubclass(box_, &OnBoxLine::Watch, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK OnBoxLine::Watch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<OnBoxLine*>(data);
    const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
    const bool textArrives = msg == WM_SETTEXT || msg == EM_REPLACESEL;
    if (textArrives && (self->repeat_ == kEveryTime || !self->fired_) && lParam &&
        std::wstring(reinterpret_cast<const wchar_t*>(lParam)).find(self->trigger_) != std::wstring::npos) {
        self->fired_ = true;
        self->action_();
    }
    return result;
}
