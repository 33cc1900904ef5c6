// The program's entry point: prepares the process and shows the main window
// (or, with /inventory, the network stack window alone); from then on the
// program lives in the message loop.
#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <exception>
#include <memory>
#include <string>

#include "FrmMain.h"
#include "MessagePump.h"
#include "NetworkStackWindow.h"
#include "ProgramFile.h"
#include "mdXpThemeSupport.h"

namespace {

// Data-execution prevention off where the system allows it. Looked up at run
// time: systems before XP SP3 and 64-bit processes do not offer the call.
void TurnOffDataExecutionPrevention() {
    using SetPolicy = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    auto setPolicy =
        reinterpret_cast<SetPolicy>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessDEPPolicy")));
    if (setPolicy) setPolicy(0);
}

// The switches for shortcuts and scripts: /inventory opens the network stack
// window alone, /machine NAME has it read that computer. Anything else is
// passed over, and without /inventory the main window opens as ever.
struct Switches {
    bool inventory = false;
    std::wstring machine;
};

Switches ReadSwitches() {
    Switches switches;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        if (lstrcmpiW(arguments[i], L"/inventory") == 0) switches.inventory = true;
        if (lstrcmpiW(arguments[i], L"/machine") == 0 && i + 1 < count) switches.machine = arguments[++i];
    }
    LocalFree(arguments);
    return switches;
}

void TellNoWindow(const wchar_t* caption) {
    MessageBoxW(nullptr, L"Quillmark could not open its window and ends.", caption, MB_OK | MB_ICONERROR);
}

// The network stack window alone: closing it ends the loop.
int RunNetworkStack(HINSTANCE instance, const std::wstring& machine) {
    std::unique_ptr<NetworkStackWindow> window;
    try {
        NetworkStackWindow::Options options;
        options.machine = machine;
        options.endsProgram = true;
        window = NetworkStackWindow::Create(instance, std::move(options));
    } catch (const std::exception&) {
        // Told the same way as a window that could not be made.
    }
    if (!window) {
        TellNoWindow(NetworkStackWindow::kCaption);
        return 1;
    }
    return RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    TurnOffDataExecutionPrevention();
    DoEvents();
    InitThemeSupport();
    if (const Switches switches = ReadSwitches(); switches.inventory)
        return RunNetworkStack(instance, switches.machine);
    std::unique_ptr<FrmMain> form;
    try {
        form = FrmMain::Create(instance, ProgramFolder());
    } catch (const std::exception&) {
        // Told the same way as a window that could not be made.
    }
    if (!form) {
        TellNoWindow(FrmMain::kCaption);
        return 1;
    }
    return RunMessageLoop();
}
