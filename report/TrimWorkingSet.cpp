#include "report/TrimWorkingSet.h"

#include <windows.h>

void TrimWorkingSet()
{
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}
