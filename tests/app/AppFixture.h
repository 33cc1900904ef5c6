#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FrmMain.h"
#include "ScratchFolder.h"
#include "ScratchKey.h"

std::wstring WindowText(HWND window);

// A services tree of the test's own as HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services,
// and the real window with its log file in a scratch folder.
class ScanFixture : public testing::Test {
protected:
    static constexpr wchar_t kServices[] = L"System\\CurrentControlSet\\Services";

    ScanFixture();
    ~ScanFixture() override;

    void Tick(int state) const { SendMessageW(form->Control(IDC_CHECK1), BM_SETCHECK, state, 0); }
    // As a user's click arrives: the button's notification to its window.
    void PressStart() const;
    HWND Box() const { return form->Control(IDC_TEXT1); }
    // The report's second line, its date, as the log holds it.
    std::string DateLine() const;
    std::string LogBytes() const { return folder.ReadBytes(FrmMain::kLogFileName); }

    ScratchKey scratch;
    RootOverride machineRoot{HKEY_LOCAL_MACHINE, scratch.get()};
    ScratchFolder folder;
    std::unique_ptr<FrmMain> form;
};
