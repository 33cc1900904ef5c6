#include "AppFixture.h"

#include "MessagePump.h"
#include "Text.h"

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
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

void ScanFixture::PressStart() const {
    SendMessageW(form->hWnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Control(IDC_COMMAND1)));
}

std::vector<std::wstring> ScanFixture::LogLines() const {
    auto lines = SplitLines(FromAnsi(LogBytes()));
    if (!lines.empty()) lines.pop_back();
    return lines;
}
