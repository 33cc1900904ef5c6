#include <cstdio>

#include "Guid.h"
#include "SidText.h"
#include "Values.h"

namespace inventory {
namespace {

constexpr std::uint16_t kSelfRelative = 0x8000;
constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kAclHeaderSize = 8;
constexpr std::size_t kAceHeaderSize = 4;

struct AceType {
    std::uint8_t code;
    const char* sddl;
    bool object;  // mask, object flags and up to two GUIDs before the SID
};

constexpr AceType kAceTypes[] = {
    {0x00, "A", false}, {0x01, "D", false},  {0x02, "AU", false}, {0x03, "AL", false}, {0x05, "OA", true},
    {0x06, "OD", true}, {0x07, "OU", true},  {0x08, "OL", true},  {0x09, "XA", false}, {0x0A, "XD", false},
    {0x0B, "ZA", true}, {0x0D, "XU", false}, {0x11, "ML", false}, {0x12, "RA", false}, {0x13, "SP", false},
};

constexpr std::pair<std::uint8_t, const char*> kAceFlags[] = {
    {0x01, "OI"}, {0x02, "CI"}, {0x04, "NP"}, {0x08, "IO"}, {0x10, "ID"}, {0x40, "SA"}, {0x80, "FA"},
};

std::string Hex(std::uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

// Reads within [0, size) of one descriptor; every read says whether it fit.
class DescriptorReader {
public:
    explicit DescriptorReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    bool Fits(std::size_t offset, std::size_t size, std::size_t end) const {
        return end <= bytes_.size() && offset <= end && size <= end - offset;
    }

    std::optional<std::string> SidAt(std::size_t offset, std::size_t end) const {
        if (!Fits(offset, 8, end)) return std::nullopt;
        const std::uint8_t count = bytes_[offset + 1];
        if (!Fits(offset, 8 + 4 * std::size_t{count}, end)) return std::nullopt;
        Sid sid;
        sid.revision = bytes_[offset];
        for (std::size_t i = 0; i < 6; ++i) sid.authority[i] = bytes_[offset + 2 + i];
        for (std::size_t i = 0; i < count; ++i) sid.subAuthorities.push_back(LoadU32(&bytes_[offset + 8 + 4 * i]));
        return SidText(sid);
    }

    std::optional<std::string> AceAt(std::size_t offset, std::size_t end) const {
        const std::uint8_t code = bytes_[offset];
        const std::uint8_t flags = bytes_[offset + 1];
        std::string flagText;
        for (const auto& [bit, name] : kAceFlags)
            if (flags & bit) flagText += name;
        const AceType* type = nullptr;
        for (const AceType& known : kAceTypes)
            if (known.code == code) type = &known;
        if (!type) return "(" + Hex(code) + ";" + flagText + ";;;;)";

        std::size_t at = offset + kAceHeaderSize;
        if (!Fits(at, 4, end)) return std::nullopt;
        const std::uint32_t mask = LoadU32(&bytes_[at]);
        at += 4;
        std::string guids = ";";
        if (type->object) {
            if (!Fits(at, 4, end)) return std::nullopt;
            const std::uint32_t present = LoadU32(&bytes_[at]);
            at += 4;
            guids.clear();
            for (const std::uint32_t bit : {1u, 2u}) {
                if (present & bit) {
                    if (!Fits(at, 16, end)) return std::nullopt;
                    const std::string text = FormatGuid(&bytes_[at]);
                    guids += text.substr(1, text.size() - 2);
                    at += 16;
                }
                if (bit == 1) guids += ";";
            }
        }
        const auto sid = SidAt(at, end);
        if (!sid) return std::nullopt;
        return "(" + std::string(type->sddl) + ";" + flagText + ";" + Hex(mask) + ";" + guids + ";" + *sid + ")";
    }

    std::optional<std::string> AclAt(std::size_t offset) const {
        if (!Fits(offset, kAclHeaderSize, bytes_.size())) return std::nullopt;
        const std::size_t aclSize = LoadU16(&bytes_[offset + 2]);
        const std::size_t aceCount = LoadU16(&bytes_[offset + 4]);
        if (aclSize < kAclHeaderSize || !Fits(offset, aclSize, bytes_.size())) return std::nullopt;
        const std::size_t end = offset + aclSize;
        std::string text;
        std::size_t at = offset + kAclHeaderSize;
        for (std::size_t i = 0; i < aceCount; ++i) {
            if (!Fits(at, kAceHeaderSize, end)) return std::nullopt;
            const std::size_t aceSize = LoadU16(&bytes_[at + 2]);
            if (aceSize < kAceHeaderSize || !Fits(at, aceSize, end)) return std::nullopt;
            const auto ace = AceAt(at, at + aceSize);
            if (!ace) return std::nullopt;
            text += *ace;
            at += aceSize;
        }
        return text;
    }

private:
    const std::vector<std::uint8_t>& bytes_;
};

std::string AclFlags(std::uint16_t control, std::uint16_t isProtected, std::uint16_t inherited,
                     std::uint16_t inheritRequested) {
    std::string text;
    if (control & isProtected) text += "P";
    if (control & inheritRequested) text += "AR";
    if (control & inherited) text += "AI";
    return text;
}

}  // namespace

std::optional<std::string> SecurityDescriptorText(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kHeaderSize) return std::nullopt;
    const std::uint16_t control = LoadU16(&bytes[2]);
    if (bytes[0] != 1 || !(control & kSelfRelative)) return std::nullopt;
    const DescriptorReader reader(bytes);
    std::string text;
    const std::pair<const char*, std::size_t> sids[] = {{"O:", LoadU32(&bytes[4])}, {"G:", LoadU32(&bytes[8])}};
    for (const auto& [prefix, offset] : sids) {
        if (offset == 0) continue;
        const auto sid = reader.SidAt(offset, bytes.size());
        if (!sid) return std::nullopt;
        text += prefix + *sid;
    }
    struct Acl {
        const char* prefix;
        std::uint16_t present, isProtected, inherited, inheritRequested;
        std::size_t offset;
    };
    const Acl acls[] = {{"D:", 0x0004, 0x1000, 0x0400, 0x0100, LoadU32(&bytes[16])},
                        {"S:", 0x0010, 0x2000, 0x0800, 0x0200, LoadU32(&bytes[12])}};
    for (const Acl& acl : acls) {
        if (!(control & acl.present)) continue;
        text += acl.prefix + AclFlags(control, acl.isProtected, acl.inherited, acl.inheritRequested);
        if (acl.offset == 0) {
            text += "NO_ACCESS_CONTROL";
            continue;
        }
        const auto aces = reader.AclAt(acl.offset);
        if (!aces) return std::nullopt;
        text += *aces;
    }
    return text;
}

}  // namespace inventory
