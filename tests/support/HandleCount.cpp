#include "HandleCount.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// The system information class and record layout of the platform's handle
// table (SystemHandleInformation), which the SDK headers do not publish.
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004u);

struct HandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
};

struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

}  // namespace

std::size_t OpenHandleCount() {
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) {
        ADD_FAILURE() << "NtQuerySystemInformation is missing";
        return 0;
    }
    std::vector<BYTE> buffer(1 << 16);
    LONG status = 0;
    for (;;) {
        ULONG needed = 0;
        status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status != kStatusInfoLengthMismatch) break;
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
    }
    if (status != 0) {
        ADD_FAILURE() << "NtQuerySystemInformation failed: " << std::hex << status;
        return 0;
    }
    ULONG entries = 0;
    std::memcpy(&entries, buffer.data(), sizeof entries);
    const std::size_t first = offsetof(HandleTable, entries);
    const std::size_t fitting = (buffer.size() - first) / sizeof(HandleEntry);
    const DWORD self = GetCurrentProcessId();
    std::size_t count = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(entries, fitting); ++i) {
        HandleEntry entry;
        std::memcpy(&entry, buffer.data() + first + i * sizeof entry, sizeof entry);
        if (entry.ownerProcessId == self) ++count;
    }
    return count;
}
