#include "Error.h"

#include <utility>

#include "Text.h"

Error::Error(std::int32_t number, std::wstring source, std::wstring description)
    : number_(number), source_(std::move(source)), description_(std::move(description)), what_(ToAnsi(description_)) {}
