#include "MessageRecorder.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kRecorderId = 1;

std::string NameOf(UINT msg) {
    switch (msg) {
        case WM_PAINT:
            return "WM_PAINT";
        case WM_SETFOCUS:
            return "WM_SETFOCUS";
        case WM_KILLFOCUS:
            return "WM_KILLFOCUS";
        case WM_ENABLE:
            return "WM_ENABLE";
        case WM_SETREDRAW:
            return "WM_SETREDRAW";
        case WM_ERASEBKGND:
            return "WM_ERASEBKGND";
        case WM_MOUSEMOVE:
            return "WM_MOUSEMOVE";
        case WM_LBUTTONDOWN:
            return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP:
            return "WM_LBUTTONUP";
        case WM_RBUTTONUP:
            return "WM_RBUTTONUP";
        case WM_MOUSEHOVER:
            return "WM_MOUSEHOVER";
        case WM_MOUSELEAVE:
            return "WM_MOUSELEAVE";
        case WM_PRINTCLIENT:
            return "WM_PRINTCLIENT";
        case WM_COMMAND:
            return "WM_COMMAND";
        default:
            return "message " + std::to_string(msg);
    }
}

}  // namespace

MessageRecorder::MessageRecorder(HWND hwnd, std::set<UINT> answered) : hwnd_(hwnd), answered_(std::move(answered)) {
    SetWindowSubclass(hwnd_, &Record, kRecorderId, reinterpret_cast<DWORD_PTR>(this));
}

MessageRecorder::~MessageRecorder() {
    if (IsWindow(hwnd_)) RemoveWindowSubclass(hwnd_, &Record, kRecorderId);
}

std::vector<MessageRecorder::Message> MessageRecorder::Only(const std::set<UINT>& interesting) const {
    std::vector<Message> found;
    for (const Message& message : messages_)
        if (interesting.count(message.msg)) found.push_back(message);
    return found;
}

std::vector<std::string> MessageRecorder::Trace(const std::set<UINT>& interesting) const {
    std::vector<std::string> lines;
    for (const Message& message : Only(interesting)) {
        std::string line = NameOf(message.msg);
        if (message.msg == WM_SETREDRAW) line += "(" + std::to_string(message.wParam) + ")";
        if (!message.visible) line += " hidden";
        lines.push_back(line);
    }
    return lines;
}

bool MessageRecorder::Saw(UINT msg) const {
    for (const Message& message : messages_)
        if (message.msg == msg) return true;
    return false;
}

LRESULT CALLBACK MessageRecorder::Record(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR refData) {
    auto* self = reinterpret_cast<MessageRecorder*>(refData);
    self->messages_.push_back({msg, wParam, IsWindowVisible(hwnd) != FALSE});
    if (self->answered_.count(msg)) return kAnswer;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &Record, kRecorderId);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}
