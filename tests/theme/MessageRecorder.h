#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

// Records the messages that reach a window's own processing: a subclass of
// its own, installed before the module's, so it sits below it in the chain.
// Messages in the answered set stop here with kAnswer; the others go on.
class MessageRecorder {
public:
    static constexpr LRESULT kAnswer = 0x5A5A;

    struct Message {
        UINT msg;
        WPARAM wParam;
        bool visible;  // the window's visibility while its own procedure ran
        bool operator==(const Message&) const = default;
    };

    explicit MessageRecorder(HWND hwnd, std::set<UINT> answered = {});
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The recorded messages among those of interest, in order.
    std::vector<Message> Only(const std::set<UINT>& interesting) const;
    // The same as readable lines: "WM_SETREDRAW(0)", "WM_SETFOCUS hidden".
    std::vector<std::string> Trace(const std::set<UINT>& interesting) const;
    bool Saw(UINT msg) const;
    void Clear() { messages_.clear(); }

private:
    static LRESULT CALLBACK Record(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR refData);

    HWND hwnd_;
    std::set<UINT> answered_;
    std::vector<Message> messages_;
};
