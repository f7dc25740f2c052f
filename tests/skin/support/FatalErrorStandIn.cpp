// Test stand-in for the window's FatalError: the same box and exit code, so
// the skin attachment can be driven before the window is built.
#include <windows.h>

#include "app/FatalError.h"

void FatalError(const std::wstring& cause) {
  MessageBoxW(nullptr, cause.c_str(), L"Velquin", MB_OK | MB_ICONERROR);
  ExitProcess(static_cast<UINT>(-1));
}
