#include "BaseBlock.h"

namespace inventory::logs {
namespace {

constexpr std::size_t kPrimaryAt = 4, kSecondaryAt = 8, kLastWrittenAt = 12, kFileTypeAt = 28, kBinsSizeAt = 40;
constexpr std::size_t kChecksumAt = 508;

}  // namespace

std::optional<BaseBlock> ReadBaseBlock(ByteView bytes) {
    if (!bytes.HasSignature(0, "regf") || !bytes.Holds(0, kHeaderCopyBytes)) return std::nullopt;
    BaseBlock block;
    block.primarySequence = bytes.U32(kPrimaryAt, "primary sequence number");
    block.secondarySequence = bytes.U32(kSecondaryAt, "secondary sequence number");
    block.lastWritten = bytes.U64(kLastWrittenAt, "last written timestamp");
    block.fileType = bytes.U32(kFileTypeAt, "file type");
    block.binsSize = bytes.U32(kBinsSizeAt, "hive bins data size");
    block.checksumRight = bytes.U32(kChecksumAt, "checksum") == BaseBlockChecksum(bytes);
    return block;
}

std::uint32_t BaseBlockChecksum(ByteView bytes) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < kChecksumAt; at += 4) sum ^= bytes.U32(at, "base block");
    if (sum == 0xFFFFFFFF) return 0xFFFFFFFE;
    if (sum == 0) return 1;
    return sum;
}

void StampBaseBlock(std::uint8_t* hive, std::uint32_t sequence, std::uint32_t binsSize) {
    StoreU32(hive + kPrimaryAt, sequence);
    StoreU32(hive + kSecondaryAt, sequence);
    StoreU32(hive + kBinsSizeAt, binsSize);
    StoreU32(hive + kChecksumAt, BaseBlockChecksum(ByteView(hive, kHeaderCopyBytes)));
}

}  // namespace inventory::logs
