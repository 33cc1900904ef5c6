#include "ErrorRecorder.h"

#include "XpThemeErrors.h"

namespace {

std::vector<std::string> names;
std::vector<std::wstring> descriptions;
mdXpThemeSupport::ErrorListener previous = nullptr;

void Record(const char* procedureName, const std::wstring& description) {
    names.emplace_back(procedureName);
    descriptions.push_back(description);
}

}  // namespace

ErrorRecorder::ErrorRecorder() {
    Clear();
    previous = mdXpThemeSupport::SetErrorListener(&Record);
}

ErrorRecorder::~ErrorRecorder() {
    mdXpThemeSupport::SetErrorListener(previous);
}

const std::vector<std::string>& ErrorRecorder::Names() {
    return names;
}

const std::vector<std::wstring>& ErrorRecorder::Descriptions() {
    return descriptions;
}

void ErrorRecorder::Clear() {
    names.clear();
    descriptions.clear();
}
