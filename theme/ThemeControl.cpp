#include "ThemeControl.h"

#include "ProgramFile.h"

Error MissingPropertyError(const wchar_t* propertyName) {
    return Error(438, ProgramName(), std::wstring(L"Object doesn't support this property or method: ") + propertyName);
}
