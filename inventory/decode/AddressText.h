#pragma once

#include <cstdint>
#include <string>

namespace inventory {

// a.b.c.d of an IPv4 address held as a number in host order (0xC0A80001 is
// 192.168.0.1).
std::string Ipv4Text(std::uint32_t address);
// The RFC 5952 text of 16 bytes in network order: lower-case hex, the
// longest run of two or more zero groups as ::, IPv4-mapped as ::ffff:a.b.c.d.
std::string Ipv6Text(const std::uint8_t* bytes);

}  // namespace inventory
