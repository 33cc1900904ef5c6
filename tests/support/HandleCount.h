#pragma once

#include <cstddef>

// The number of handles this process holds, as the system's handle table
// lists them; for tests that check an operation leaves none open behind it.
std::size_t OpenHandleCount();
