#pragma once

#include "ErrorSource.h"

// The source of every error that the progress bar and its surfaces raise.
inline constexpr ErrorSource kProgressErrorSource{L"cProgressBar"};
