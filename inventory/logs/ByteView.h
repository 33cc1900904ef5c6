#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace inventory::logs {

// Why a log, or an entry of it, cannot be used: one phrase, caught where the
// replay decides to go on without it. It never leaves ReplayLogs.
class LogFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Untrusted bytes [data, data + size), read little-endian. Every read is
// checked against the end first; a read past it throws LogFormatError.
class ByteView {
public:
    ByteView(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Size() const { return size_; }
    // Whether count bytes from at lie inside (no overflow on huge values).
    bool Holds(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
    bool HasSignature(std::size_t at, std::string_view signature) const;

    std::uint32_t U32(std::size_t at, std::string_view what) const;
    std::uint64_t U64(std::size_t at, std::string_view what) const;
    // The count bytes from at, as a view of their own.
    ByteView Slice(std::size_t at, std::size_t count, std::string_view what) const;
    const std::uint8_t* Data() const { return data_; }

private:
    void Need(std::size_t at, std::size_t count, std::string_view what) const;

    const std::uint8_t* data_;
    std::size_t size_;
};

void StoreU32(std::uint8_t* at, std::uint32_t value);

}  // namespace inventory::logs
