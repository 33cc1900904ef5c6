#include "LogEntries.h"

#include "BaseBlock.h"
#include "Marvin32.h"

namespace inventory::logs {
namespace {

constexpr std::size_t kEntryAlignment = 512;
constexpr std::size_t kEntryHeaderBytes = 40;
constexpr std::size_t kPageReferenceBytes = 8;
constexpr std::size_t kHash2CoverageBytes = 32;

bool HashRight(ByteView bytes, std::uint64_t stored) {
    return Marvin32(bytes.Data(), bytes.Size()) == stored;
}

// The entry at the start of rest (the log from there to its end); throws
// LogFormatError naming the first thing wrong with it.
LogEntry ReadEntry(ByteView rest, std::uint32_t binsLimit) {
    const std::uint32_t size = rest.U32(4, "entry size");
    if (size < kEntryHeaderBytes || size % kEntryAlignment != 0)
        throw LogFormatError("a bad entry size (" + std::to_string(size) + " bytes)");
    if (!rest.Holds(0, size)) throw LogFormatError("an entry past the end of the log");
    const ByteView entry = rest.Slice(0, size, "entry");

    LogEntry read{entry.U32(12, "sequence number"), entry.U32(16, "hive bins data size"), {}};
    if (read.binsSize == 0 || read.binsSize % kBinsAlignment != 0)
        throw LogFormatError("a bad hive bins data size (" + std::to_string(read.binsSize) + " bytes)");

    const std::uint32_t count = entry.U32(20, "page count");
    if (count > (size - kEntryHeaderBytes) / kPageReferenceBytes)
        throw LogFormatError("page references past the end of the entry");
    std::size_t pageAt = kEntryHeaderBytes + kPageReferenceBytes * count;
    read.pages.reserve(count);
    for (std::size_t reference = kEntryHeaderBytes; reference < kEntryHeaderBytes + kPageReferenceBytes * count;
         reference += kPageReferenceBytes) {
        const std::uint32_t offset = entry.U32(reference, "page offset");
        const std::uint32_t pageSize = entry.U32(reference + 4, "page size");
        if (!entry.Holds(pageAt, pageSize)) throw LogFormatError("pages past the end of the entry");
        if (offset > read.binsSize || pageSize > read.binsSize - offset)
            throw LogFormatError("a page past the hive bins data");
        read.pages.push_back({offset, entry.Slice(pageAt, pageSize, "page")});
        pageAt += pageSize;
    }
    if (read.binsSize > binsLimit) throw LogFormatError("a hive bins data size past the growth limit");

    if (!HashRight(entry.Slice(0, kHash2CoverageBytes, "hashed header"), entry.U64(32, "hash-2")))
        throw LogFormatError("bad hash-2");
    if (!HashRight(entry.Slice(kEntryHeaderBytes, size - kEntryHeaderBytes, "hashed body"), entry.U64(24, "hash-1")))
        throw LogFormatError("bad hash-1");
    return read;
}

}  // namespace

LogEntries ReadLogEntries(ByteView log, std::uint32_t binsLimit) {
    LogEntries entries;
    std::size_t number = 1;
    for (std::size_t at = kHeaderCopyBytes; log.HasSignature(at, "HvLE"); ++number) {
        try {
            entries.valid.push_back(ReadEntry(log.Slice(at, log.Size() - at, "entry"), binsLimit));
        } catch (const LogFormatError& error) {
            entries.stop = std::string(error.what()) + " at entry " + std::to_string(number);
            break;
        }
        at += log.U32(at + 4, "entry size");
    }
    return entries;
}

}  // namespace inventory::logs
