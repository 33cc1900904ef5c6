#include "ErrorSource.h"

#include "ProgramFile.h"

std::wstring ErrorSource::Text() const {
    std::wstring text = ProgramName();
    if (className_) text.append(L".").append(className_);
    return text;
}
