#include "MessagePump.h"

#include <windows.h>

#include "Accelerators.h"

namespace {

void Dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && TranslateShortcut(root, msg)) return;
    if (root && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

int RunMessageLoop(GetMessageCall getMessage) {
    MSG msg{};
    BOOL fetched = FALSE;
    while ((fetched = getMessage(&msg, nullptr, 0, 0)) > 0) Dispatch(msg);
    // A failing fetch (-1) wrote no message: there is no exit code to give.
    return fetched == 0 ? static_cast<int>(msg.wParam) : -1;
}
