#include "app/SaveReport.h"

#include <windows.h>

#include <algorithm>

#include "app/UniqueHandle.h"

namespace {

// Opened without sharing: while the report is written no other program can
// open the file.
// A short name of its own rather than one derived from the target's: a target
// name near the file system's length limit must still be savable.
UniqueHandle CreateTemporaryBeside(const std::wstring& path, std::wstring& temporaryPath) {
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = folder + L"~velquin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(attempt) + L".tmp";
        UniqueHandle file(CreateFileW(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsValid() || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return UniqueHandle();
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        // WriteFile counts in DWORDs; a report never comes near that, but a
        // large chunk limit keeps the loop honest.
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) return false;
        written += done;
    }
    return true;
}

}  // namespace

bool SaveReport(const std::wstring& path, const std::string& bytes) {
    // A read-only file is not replaced. Windows refuses to move over one
    // anyway; checked here so the program behaves the same everywhere.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;

    std::wstring temporaryPath;
    UniqueHandle file = CreateTemporaryBeside(path, temporaryPath);
    if (!file.IsValid()) return false;
    const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    file.Close();
    if (written && MoveFileExW(temporaryPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporaryPath.c_str());
    return false;
}
