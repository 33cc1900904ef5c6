#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FrmMain.h"
#include "ScratchFolder.h"
#include "ScratchKey.h"

// The lines of a text split at CR LF; "" gives none.
template <typename Text>
std::vector<Text> SplitLines(const Text& text) {
    const typename Text::value_type lineEnd[] = {'\r', '\n', 0};
    std::vector<Text> lines;
    for (std::size_t start = 0; !text.empty();) {
        const std::size_t end = text.find(lineEnd, start);
        lines.push_back(text.substr(start, end - start));
        if (end == Text::npos) break;
        start = end + 2;
    }
    return lines;
}

std::wstring WindowText(HWND window);

// A services tree of the test's own as HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services,
// and the real window with its log file in a scratch folder.
class ScanFixture : public testing::Test {
protected:
    static constexpr wchar_t kServices[] = L"System\\CurrentControlSet\\Services";

    ScanFixture();
    ~ScanFixture() override;

    // A service key with a Group and, where given, the three texts.
    void AddService(const std::wstring& name, const char* group, const char* description = nullptr,
                    const char* displayName = nullptr, const char* imagePath = nullptr);
    void Tick(int state) const { SendMessageW(form->Control(IDC_CHECK1), BM_SETCHECK, state, 0); }
    // As a user's click arrives: the button's notification to its window.
    void PressStart() const;
    HWND Box() const { return form->Control(IDC_TEXT1); }
    std::vector<std::wstring> BoxLines() const { return SplitLines(WindowText(Box())); }
    std::string LogBytes() const { return folder.ReadBytes(FrmMain::kLogFileName); }
    // The log file's lines, widened (each of which ends with CR LF).
    std::vector<std::wstring> LogLines() const;

    ScratchKey scratch;
    RootOverride machineRoot{HKEY_LOCAL_MACHINE, scratch.get()};
    ScratchFolder folder;
    std::unique_ptr<FrmMain> form;
};
