#include "InventoryReader.h"

#include <exception>

#include "ReadSource.h"

namespace {

// Thrown from the progress callback to end a read that is being stopped.
struct Stopped {};

}  // namespace

InventoryReader::InventoryReader(ReadFunction read, HWND window, UINT progressMessage, UINT doneMessage)
    : read_(std::move(read)), window_(window), progressMessage_(progressMessage), doneMessage_(doneMessage) {}

InventoryReader::~InventoryReader() {
    Stop();
}

bool InventoryReader::Start(inventory::Source source) {
    if (reading_) return false;
    if (thread_.joinable()) thread_.join();  // an ended read's thread
    stopping_ = false;
    reading_ = true;
    try {
        thread_ = std::thread([this, source = std::move(source)] { Run(source); });
    } catch (const std::exception&) {
        reading_ = false;
        return false;
    }
    return true;
}

void InventoryReader::Stop() noexcept {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
}

std::optional<InventoryReader::Result> InventoryReader::TakeResult() {
    const std::lock_guard lock(mutex_);
    return std::exchange(result_, std::nullopt);
}

void InventoryReader::Run(const inventory::Source& source) {
    Result result;
    const auto progress = [this](std::size_t done, std::size_t total) {
        if (stopping_) throw Stopped{};
        PostMessageW(window_, progressMessage_, done, static_cast<LPARAM>(total));
    };
    try {
        result.name = inventory::SourceName(source);
        result.report = read_(source, progress);
    } catch (const Stopped&) {
        reading_ = false;
        return;
    } catch (const std::exception& error) {
        result.failure = error.what();
    } catch (...) {
        result.failure = "the read failed";
    }
    {
        const std::lock_guard lock(mutex_);
        result_ = std::move(result);
    }
    reading_ = false;
    PostMessageW(window_, doneMessage_, 0, 0);
}
