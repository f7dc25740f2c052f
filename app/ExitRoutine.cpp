#include "app/ExitRoutine.h"

#include <windows.h>

#include <string>

#include "app/UniqueHandle.h"
#include "report/ProgramState.h"

namespace {

// Test support: when VELQUIN_EXIT_MARKER names a file, every run of the exit
// routine appends one line to it, so the end-to-end tests can see that it ran
// exactly once.
void AppendExitMarker() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VELQUIN_EXIT_MARKER", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    UniqueHandle file(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return;
    const char line[] = "ExitRoutine\r\n";
    DWORD written = 0;
    WriteFile(file.Get(), line, sizeof(line) - 1, &written, nullptr);
}

}  // namespace

void ExitRoutine() {
    static bool done = false;
    if (done) return;
    done = true;

    CurrentPath.clear();
    CurrentPath.shrink_to_fit();
    // Released without being stopped: the worker, idle or in a job, ends with
    // the process right after this.
    delete TheJobPool;
    TheJobPool = nullptr;

    AppendExitMarker();
}
