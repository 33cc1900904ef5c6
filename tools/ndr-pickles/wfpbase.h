/* What wfpbase.idl declares, as the Windows headers define it. */
#pragma once
#include <windows.h>
