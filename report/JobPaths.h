#pragma once
#include <cstdint>
#include <string>

// Ties each posted job to the path of the file it holds open, so that its
// report names the file it hashed even when later drops come in meanwhile.
// The pool hands a job only its two values; the open file is the key.
// Safe to call from any thread, also while the process is ending.

void RememberJobPath(std::uint32_t openFile, const std::wstring& path);

// The path remembered for the open file, forgotten from then on; empty when
// none was remembered.
std::wstring TakeJobPath(std::uint32_t openFile);
