#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FrmMain.h"
#include "ScratchFolder.h"
#include "ScratchKey.h"

// Splits text at CR LF; "" gives no lines.
std::vector<std::string> SplitLines(const std::string& text);
std::vector<std::wstring> SplitLines(const std::wstring& text);

std::wstring WindowText(HWND window);

// A services tree of the test's own, seen by the code as
// HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services, and the real window
// with its log file in a scratch folder.
class ScanFixture : public testing::Test {
protected:
    static constexpr wchar_t kServices[] = L"System\\CurrentControlSet\\Services";

    ScanFixture();
    ~ScanFixture() override;

    // A service key with optional values (nullptr leaves a value out).
    void AddService(const std::wstring& name, const char* group, const char* description = nullptr,
                    const char* displayName = nullptr, const char* imagePath = nullptr);

    void Tick(int state);
    void PressStart();

    std::vector<std::wstring> BoxLines() const;
    // The log file's lines (each of which ended with CR LF).
    std::vector<std::string> LogLines() const;

    HWND Text1() const { return form->Control(IDC_TEXT1); }

    ScratchKey scratch;
    RootOverride machineRoot{HKEY_LOCAL_MACHINE, scratch.get()};
    ScratchFolder folder;
    std::unique_ptr<FrmMain> form;
};

// Calls `action` from inside the scan when the output box receives text (set
// or appended) that contains `trigger`: the first time, or every time.
class OnBoxLine {
public:
    enum Repeat { kOnce, kEveryTime };
    OnBoxLine(HWND box, std::wstring trigger, std::function<void()> action, Repeat repeat = kOnce);
    ~OnBoxLine();
    OnBoxLine(const OnBoxLine&) = delete;
    OnBoxLine& operator=(const OnBoxLine&) = delete;

    bool Fired() const noexcept { return fired_; }

private:
    static LRESULT CALLBACK Watch(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND box_;
    std::wstring trigger_;
    std::function<void()> action_;
    Repeat repeat_;
    bool fired_ = false;
};
