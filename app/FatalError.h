#pragma once
#include <cstddef>
#include <string>

// The failures the program cannot go on from: the main window cannot be made,
// a routine cannot be found where it was expected, memory for a text or buffer
// cannot be had. Shows an error box with no owner naming the cause, then ends
// the process with exit code -1 without running the exit routine.
[[noreturn]] void FatalError(const std::wstring& cause);
// For callers that must not allocate (memory exhaustion).
[[noreturn]] void FatalError(const wchar_t* cause);
