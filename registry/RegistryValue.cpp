#include "RegistryValue.h"

#include <cwchar>

RegistryValue RegistryValue::Boolean(bool value) {
    RegistryValue result;
    result.data_ = value;
    return result;
}

std::wstring RegistryValue::ToText() const {
    switch (kind()) {
        case Kind::Empty:
            return {};
        case Kind::Text:
            return Text();
        case Kind::Int16:
            return std::to_wstring(Int16());
        case Kind::Int32:
            return std::to_wstring(Int32());
        case Kind::Double: {
            wchar_t buffer[32];
            std::swprintf(buffer, std::size(buffer), L"%.15g", Double());
            return buffer;
        }
        case Kind::Boolean:
            return BooleanValue() ? L"True" : L"False";
        case Kind::Bytes: {
            static const wchar_t kDigits[] = L"0123456789abcdef";
            std::wstring text;
            for (std::uint8_t byte : ByteArray()) {
                if (!text.empty()) text += L' ';
                text += kDigits[byte >> 4];
                text += kDigits[byte & 0xF];
            }
            return text;
        }
    }
    return {};
}
