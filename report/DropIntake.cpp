#include <cstdint>

#include "report/JobPaths.h"
#include "report/ProgramState.h"
#include "report/ReportJob.h"

namespace {

// The low 32 bits of the size the directory records for the path; all ones
// when it has no entry.
std::uint32_t LookUpSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA entry;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &entry)) return 0xFFFFFFFFu;
    return entry.nFileSizeLow;
}

}  // namespace

// Several paths joined by line ends, a folder or a file another program is
// writing all fail to open, and then nothing happens.
void OnFileDropped(const std::wstring& path)
{
    const std::uint32_t expectedSize = LookUpSize(path);
    // Others may go on reading the file while it is hashed, but not change it.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;

    CurrentPath = path;
    const auto openFile = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(file));
    RememberJobPath(openFile, path);
    if (TheJobPool == nullptr || TheJobPool->Post(openFile, expectedSize) == 0) {
        // No job will ever close it: do not keep the file locked.
        TakeJobPath(openFile);
        CloseHandle(file);
    }
}
