#include "LogWriter.h"

#include <algorithm>

#include "Marvin32.h"

namespace inventory::test {
namespace {

constexpr std::size_t kBaseBlockBytes = 4096, kHeaderCopyBytes = 512, kEntryHeaderBytes = 40;

void Put(Bytes& bytes, std::size_t at, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PadTo512(Bytes& bytes) {
    bytes.resize((bytes.size() + 511) / 512 * 512, 0);
}

std::uint32_t BinsSize(const Bytes& hive) {
    return Load32(hive, 40);
}

// Indexes of after's pages that differ from before's or lie past its bins.
std::vector<std::size_t> ChangedPages(const Bytes& before, const Bytes& after, std::size_t pageSize) {
    std::vector<std::size_t> changed;
    for (std::size_t at = kBaseBlockBytes; at < kBaseBlockBytes + BinsSize(after); at += pageSize)
        if (at + pageSize > kBaseBlockBytes + BinsSize(before) ||
            !std::equal(after.begin() + at, after.begin() + at + pageSize, before.begin() + at))
            changed.push_back((at - kBaseBlockBytes) / pageSize);
    return changed;
}

Bytes HeaderCopy(const Bytes& hive, std::uint32_t fileType) {
    Bytes copy(hive.begin(), hive.begin() + kHeaderCopyBytes);
    SetHeaderField(copy, 28, fileType);
    return copy;
}

// Both hashes of the size bytes from at, whatever the entry's size field says.
void HashEntry(Bytes& log, std::size_t at, std::size_t size) {
    Put(log, at + 24, logs::Marvin32(&log[at + kEntryHeaderBytes], size - kEntryHeaderBytes), 8);
    Put(log, at + 32, logs::Marvin32(&log[at], 32), 8);
}

}  // namespace

std::uint32_t Load32(const Bytes& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[at + i];
    return value;
}

void SetHeaderField(Bytes& block, std::size_t at, std::uint32_t value) {
    Put(block, at, value, 4);
    std::uint32_t sum = 0;
    for (std::size_t word = 0; word < 508; word += 4) sum ^= Load32(block, word);
    Put(block, 508, sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum == 0 ? 1 : sum, 4);
}

NewFormatLog WriteNewFormatLog(const Bytes& hive, const std::vector<HiveChange>& changes) {
    constexpr std::size_t kPageBytes = 4096;
    NewFormatLog log{HeaderCopy(hive, 6), {}};
    for (const HiveChange& change : changes) {
        const std::vector<std::size_t> pages = ChangedPages(*change.before, *change.after, kPageBytes);
        const std::size_t at = log.bytes.size();
        log.entryAt.push_back(at);
        log.bytes.resize(at + kEntryHeaderBytes + 8 * pages.size(), 0);
        std::copy_n("HvLE", 4, log.bytes.begin() + at);
        Put(log.bytes, at + 12, change.sequence, 4);
        Put(log.bytes, at + 16, BinsSize(*change.after), 4);
        Put(log.bytes, at + 20, pages.size(), 4);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            Put(log.bytes, at + kEntryHeaderBytes + 8 * i, pages[i] * kPageBytes, 4);
            Put(log.bytes, at + kEntryHeaderBytes + 8 * i + 4, kPageBytes, 4);
        }
        for (const std::size_t page : pages) {
            const auto from = change.after->begin() + kBaseBlockBytes + page * kPageBytes;
            log.bytes.insert(log.bytes.end(), from, from + kPageBytes);
        }
        PadTo512(log.bytes);
        Put(log.bytes, at + 4, log.bytes.size() - at, 4);
        HashEntry(log.bytes, at, log.bytes.size() - at);
    }
    return log;
}

void SetEntryField(NewFormatLog& log, std::size_t index, std::size_t at, std::uint32_t value) {
    const std::size_t entry = log.entryAt[index];
    const std::uint32_t size = Load32(log.bytes, entry + 4);
    Put(log.bytes, entry + at, value, 4);
    HashEntry(log.bytes, entry, size);
}

OldFormatLog WriteOldFormatLog(const Bytes& before, const Bytes& after, std::uint32_t sequence) {
    constexpr std::size_t kPageBytes = 512;
    Bytes log = HeaderCopy(after, 1);
    std::copy_n(before.begin() + 12, 8, log.begin() + 12);
    SetHeaderField(log, 4, sequence);
    SetHeaderField(log, 8, sequence);
    const std::vector<std::size_t> pages = ChangedPages(before, after, kPageBytes);
    const std::size_t bitmapAt = log.size() + 4;
    log.insert(log.end(), {'D', 'I', 'R', 'T'});
    log.resize(bitmapAt + BinsSize(after) / kPageBytes / 8, 0);
    for (const std::size_t page : pages) log[bitmapAt + page / 8] |= static_cast<std::uint8_t>(1 << (page % 8));
    PadTo512(log);
    for (const std::size_t page : pages) {
        const auto from = after.begin() + kBaseBlockBytes + page * kPageBytes;
        log.insert(log.end(), from, from + kPageBytes);
    }
    return {log, pages.size()};
}

Bytes FuzzInput(const Bytes& hive, const std::vector<Bytes>& logs) {
    Bytes input{1};
    const auto append = [&input](const Bytes& piece) {
        input.resize(input.size() + 4);
        Put(input, input.size() - 4, piece.size(), 4);
        input.insert(input.end(), piece.begin(), piece.end());
    };
    append(hive);
    for (const Bytes& log : logs) append(log);
    return input;
}

}  // namespace inventory::test
