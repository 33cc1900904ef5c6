// The program's entry point: prepares the process and shows the one window;
// from then on the program lives in the window's message loop.
#include <windows.h>

#include <ole2.h>

#include <exception>
#include <memory>

#include "FrmMain.h"
#include "MessagePump.h"
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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OleInitialize(nullptr);
    TurnOffDataExecutionPrevention();
    DoEvents();
    InitThemeSupport();
    std::unique_ptr<FrmMain> form;
    try {
        form = FrmMain::Create(instance, ProgramFolder());
    } catch (const std::exception&) {
        // Told the same way as a window that could not be made.
    }
    if (!form) {
        MessageBoxW(nullptr, L"Quillmark could not open its window and ends.", FrmMain::kCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    return RunMessageLoop();
}
