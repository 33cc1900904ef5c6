#include "DirtyPages.h"

#include <string>

#include "BaseBlock.h"

namespace inventory::logs {

std::vector<DirtyPage> ReadDirtyPages(ByteView log, std::uint32_t binsSize, std::uint32_t binsLimit) {
    if (!log.HasSignature(kHeaderCopyBytes, "DIRT")) throw LogFormatError("no DIRT signature");
    if (binsSize == 0 || binsSize % kBinsAlignment != 0)
        throw LogFormatError("a bad hive bins data size (" + std::to_string(binsSize) + " bytes)");

    // One bit per page, lowest first; the pages start at the next multiple of
    // 512 after the bitmap, which for more than 2 MB of bins is past 1024.
    const std::size_t bitmapAt = kHeaderCopyBytes + 4, bitmapBytes = binsSize / kDirtyPageBytes / 8;
    if (!log.Holds(bitmapAt, bitmapBytes)) throw LogFormatError("the dirty page bitmap runs past the end of the log");
    const ByteView bitmap = log.Slice(bitmapAt, bitmapBytes, "dirty page bitmap");
    const std::size_t pagesAt = (bitmapAt + bitmapBytes + kDirtyPageBytes - 1) / kDirtyPageBytes * kDirtyPageBytes;

    std::size_t count = 0;
    for (std::size_t byte = 0; byte < bitmapBytes; ++byte)
        for (int bit = 0; bit < 8; ++bit) count += (bitmap.Data()[byte] >> bit) & 1;
    const std::size_t held = log.Holds(pagesAt, 0) ? (log.Size() - pagesAt) / kDirtyPageBytes : 0;
    if (count > held)
        throw LogFormatError(std::to_string(count) + " dirty pages, of which the log holds " + std::to_string(held));
    if (binsSize > binsLimit) throw LogFormatError("a hive bins data size past the growth limit");

    std::vector<DirtyPage> pages;
    pages.reserve(count);
    for (std::size_t index = 0; index < bitmapBytes * 8; ++index)
        if ((bitmap.Data()[index / 8] >> (index % 8)) & 1)
            pages.push_back({static_cast<std::uint32_t>(index),
                             log.Slice(pagesAt + pages.size() * kDirtyPageBytes, kDirtyPageBytes, "dirty page")});
    return pages;
}

}  // namespace inventory::logs
