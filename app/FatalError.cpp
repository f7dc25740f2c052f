#include "app/FatalError.h"

#include <windows.h>

#include "app/ProgramTexts.h"

void FatalError(const wchar_t* cause) {
    MessageBoxW(nullptr, cause, texts::FatalErrorCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    // TerminateProcess rather than exit(): the runtime's exit handlers, the
    // exit routine among them, must not run after a fatal failure.
    for (;;) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(-1));
}

void FatalError(const std::wstring& cause) { FatalError(cause.c_str()); }
