#include "TimeText.h"

#include <cstdio>

#include "Values.h"

namespace inventory {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint64_t kSecondsPerDay = 86'400;
// FILETIME's last representable year, as SYSTEMTIME's.
constexpr unsigned kLastYear = 30827;

std::string Iso(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second) {
    char text[64];  // room for any unsigned in every field
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", year, month, day, hour, minute, second);
    return text;
}

}  // namespace

std::optional<std::string> SystemTimeText(const std::optional<RawValue>& value) {
    if (!value || value->data.size() < 16) return std::nullopt;
    const std::uint8_t* at = value->data.data();
    const unsigned year = LoadU16(at), month = LoadU16(at + 2), day = LoadU16(at + 6);
    const unsigned hour = LoadU16(at + 8), minute = LoadU16(at + 10), second = LoadU16(at + 12);
    if (year < 1601 || year > kLastYear || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 59)
        return std::nullopt;
    return Iso(year, month, day, hour, minute, second);
}

std::optional<std::string> FileTimeText(std::uint64_t fileTime) {
    // Zero is what a writer that sets no time leaves.
    if (fileTime == 0) return std::nullopt;
    const std::uint64_t seconds = fileTime / kTicksPerSecond;
    const std::uint64_t time = seconds % kSecondsPerDay;
    // Days since 1600-03-01, so that each 400-year era ends with a leap day.
    std::uint64_t days = seconds / kSecondsPerDay + 306;
    const std::uint64_t era = days / 146097;
    const std::uint64_t dayOfEra = days % 146097;
    const std::uint64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint64_t monthIndex = (5 * dayOfYear + 2) / 153;  // from March
    const auto day = static_cast<unsigned>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const auto month = static_cast<unsigned>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const std::uint64_t year = 1600 + era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
    if (year > kLastYear) return std::nullopt;
    return Iso(static_cast<unsigned>(year), month, day, static_cast<unsigned>(time / 3600),
               static_cast<unsigned>(time / 60 % 60), static_cast<unsigned>(time % 60));
}

}  // namespace inventory
