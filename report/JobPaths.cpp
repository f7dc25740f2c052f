#include "report/JobPaths.h"

#include <windows.h>

#include <map>

namespace {

struct JobPathTable {
    SRWLOCK lock = SRWLOCK_INIT;
    std::map<std::uint32_t, std::wstring> paths;
};

// Never destroyed: a job may still be running while the process runs its
// exit code, and must not find the table gone.
JobPathTable& Table()
{
    static JobPathTable* table = new JobPathTable;
    return *table;
}

}  // namespace

void RememberJobPath(std::uint32_t openFile, const std::wstring& path)
{
    JobPathTable& table = Table();
    AcquireSRWLockExclusive(&table.lock);
    table.paths[openFile] = path;
    ReleaseSRWLockExclusive(&table.lock);
}

std::wstring TakeJobPath(std::uint32_t openFile)
{
    JobPathTable& table = Table();
    std::wstring path;
    AcquireSRWLockExclusive(&table.lock);
    if (auto found = table.paths.find(openFile); found != table.paths.end()) {
        path = std::move(found->second);
        table.paths.erase(found);
    }
    ReleaseSRWLockExclusive(&table.lock);
    return path;
}
