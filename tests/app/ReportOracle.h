#pragma once

#include <string>
#include <vector>

#include "ServicesGenerator.h"

// What a scan must report for a services tree, computed from the stored
// bytes alone: each line as the 8-bit text the log file receives.
class ReportOracle {
public:
    // `enumerated`: the subkey names in the registry's own order.
    ReportOracle(std::vector<GeneratedService> stored, std::vector<std::wstring> enumerated)
        : stored_(std::move(stored)), enumerated_(std::move(enumerated)) {}

    std::vector<std::string> Lines(bool ticked, const std::string& dateLine) const;

    // How a value reads as text: the stored text without its final byte
    // (expanded when expandable), a number in decimal, bytes in hex.
    static std::string TextOf(const StoredValue* value);

private:
    const GeneratedService* Find(const std::wstring& name) const;

    std::vector<GeneratedService> stored_;
    std::vector<std::wstring> enumerated_;
};

// The output box's text for log lines: 8-bit text widened, zero characters
// shown as blanks, lines joined by CR LF.
std::wstring BoxTextOf(const std::vector<std::string>& lines);
// The log file's bytes for the lines: each ended by CR LF.
std::string LogBytesOf(const std::vector<std::string>& lines);
