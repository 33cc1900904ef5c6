#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Whether `action` raises the program's Error with this number and, where
// given, this description and source; otherwise what came instead.
testing::AssertionResult Raises(const std::function<void()>& action, std::int32_t number,
                                const std::optional<std::wstring>& description = {},
                                const std::optional<std::wstring>& source = {});
