#pragma once

#include <string>
#include <vector>

// Listens to the visual-style module's error hook for one test.
class ErrorRecorder {
public:
    ErrorRecorder();
    ~ErrorRecorder();
    ErrorRecorder(const ErrorRecorder&) = delete;
    ErrorRecorder& operator=(const ErrorRecorder&) = delete;

    // The procedure names passed to the hook, in order.
    static const std::vector<std::string>& Names();
    // The descriptions read by the hook, in order.
    static const std::vector<std::wstring>& Descriptions();
    static void Clear();
};
