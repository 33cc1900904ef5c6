#include "ThemeControl.h"

#include "RuntimeError.h"

Error MissingPropertyError(const wchar_t* propertyName) {
    return RuntimeError(kErrMissingProperty, ErrorSource(), propertyName);
}
