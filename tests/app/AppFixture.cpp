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

std::string ScanFixture::DateLine() const {
    const std::wstring box = WindowText(Box());
    const std::size_t begin = box.find(L"\r\n") + 2;
    return ToAnsi(box.substr(begin, box.find(L"\r\n", begin) - begin));
}

void ScanFixture::PressStart() const {
    SendMessageW(form->hWnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Control(IDC_COMMAND1)));
}
