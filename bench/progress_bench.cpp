// Time of one paint pass of the progress bar next to the common controls'
// progress bar, at the main window's size and at a large one. Run it with
// scripts/bench.sh.
#include <windows.h>

#include <commctrl.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ComPtr.h"
#include "MessagePump.h"
#include "OleObjects.h"
#include "PictureBox.h"
#include "ProgressBarSettings.h"
#include "cProgressBar.h"

namespace {

constexpr int kWarmUpPasses = 200;
constexpr int kTimedPasses = 2000;

double MedianMicroseconds(const std::function<void(int)>& pass) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < kWarmUpPasses; ++i) pass(i % 101);
    std::vector<double> times;
    times.reserve(kTimedPasses);
    for (int i = 0; i < kTimedPasses; ++i) {
        LARGE_INTEGER start{}, end{};
        QueryPerformanceCounter(&start);
        pass(i % 101);
        QueryPerformanceCounter(&end);
        times.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    std::nth_element(times.begin(), times.begin() + kTimedPasses / 2, times.end());
    return times[kTimedPasses / 2];
}

// The window font's stand-in: what the load handler gives PB1.
ComPtr<IFont> CaptionFont() {
    return CreateOleFont(L"Verdana", 6.75, FW_BOLD);
}

void Configure(cProgressBar& bar, PictureBox& host, IFont* font, bool themed) {
    ConfigureProgressBar(bar, host, font);
    bar.SetXpStyle(themed);
}

void MeasureSize(int width, int height) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, 3 * height, nullptr,
                                        nullptr, instance, nullptr);
    const ComPtr<IFont> font = CaptionFont();
    cProgressBar classic, themed;
    PictureBox classicHost, themedHost;
    classicHost.Paint = [&] { classic.Draw(); };
    classicHost.Create(parent, 1, 0, 0, width, height, 0);
    themedHost.Create(parent, 2, 0, height, width, height, 0);
    const HWND control = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 2 * height, width, height,
                                         parent, nullptr, instance, nullptr);
    SendMessageW(control, PBM_SETRANGE32, 0, 100);

    Configure(classic, classicHost, font.get(), false);
    Configure(themed, themedHost, font.get(), true);
    DoEvents();

    // The pass alone (a Value set paints straight into the host's DC), and a
    // repaint of the host, whose WM_PAINT runs a pass inside BeginPaint, the
    // erase and EndPaint as the control's repaint does.
    const double classicPass = MedianMicroseconds([&](int value) { classic.SetValue(value); });
    const double themedPass = MedianMicroseconds([&](int value) { themed.SetValue(value); });
    const double classicRepaint = MedianMicroseconds([&](int) {
        InvalidateRect(classicHost.hWnd(), nullptr, TRUE);
        UpdateWindow(classicHost.hWnd());
    });
    const double controlRepaint = MedianMicroseconds([&](int value) {
        SendMessageW(control, PBM_SETPOS, static_cast<WPARAM>(value), 0);
        UpdateWindow(control);
    });
    std::printf("%4dx%-3d  %10.1f  %10.1f  %10.1f  %15.1f\n", width, height, classicPass, themedPass, classicRepaint,
                controlRepaint);
    std::fflush(stdout);
    DestroyWindow(parent);
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    std::printf(
        "Median of %d, in microseconds. pass: a Value set, one paint pass into the host's DC (classic,\n"
        "themed); repaint: InvalidateRect + UpdateWindow of the host, the pass in its WM_PAINT; common\n"
        "control: PBM_SETPOS + UpdateWindow of the common controls' progress bar.\n",
        kTimedPasses);
    std::printf("%-8s  %10s  %10s  %10s  %15s\n", "size", "pass", "themed", "repaint", "common control");
    MeasureSize(339, 12);
    MeasureSize(2000, 40);
    OleUninitialize();
    return 0;
}
