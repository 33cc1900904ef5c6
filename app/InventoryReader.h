#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "Inventory.h"
#include "Options.h"

// Reads one machine's network stack on a thread of its own, one read at a
// time. It posts the window a message after each block (wParam blocks read,
// lParam blocks in all) and one when the read has ended; the result waits in
// the object until the window takes it, so nothing is lost when the window
// is gone before the message arrives. The thread ends before the object does.
class InventoryReader {
public:
    // How a source is read: the engine (ReadSource), or a test's stand-in.
    using ReadFunction =
        std::function<inventory::Report(const inventory::Source&, const inventory::InventoryProgress&)>;

    struct Result {
        std::string name;                         // what the report calls the source
        std::optional<inventory::Report> report;  // nothing: the read failed
        std::string failure;                      // why, in UTF-8
    };

    InventoryReader(ReadFunction read, HWND window, UINT progressMessage, UINT doneMessage);
    ~InventoryReader();
    InventoryReader(const InventoryReader&) = delete;
    InventoryReader& operator=(const InventoryReader&) = delete;

    // Starts a read; false (and nothing started) while one runs.
    bool Start(inventory::Source source);
    bool Reading() const noexcept { return reading_; }
    // The result of the read that ended, once.
    std::optional<Result> TakeResult();
    // Ends a running read at its next block and waits for its thread.
    void Stop() noexcept;

private:
    void Run(const inventory::Source& source);

    ReadFunction read_;
    HWND window_;
    UINT progressMessage_;
    UINT doneMessage_;
    std::thread thread_;
    std::atomic<bool> reading_{false};
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::optional<Result> result_;  // guarded by mutex_
};
