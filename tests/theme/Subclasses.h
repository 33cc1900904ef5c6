#pragma once

#include <windows.h>

#include <commctrl.h>
#include <optional>

// The reference data of the subclass that procedure installed on hwnd with
// identifier 0, as comctl32's GetWindowSubclass tells; empty when none.
std::optional<DWORD_PTR> SubclassData(HWND hwnd, SUBCLASSPROC procedure);
