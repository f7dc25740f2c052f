// report_bench.exe <file>: runs the report job on one file, as a drop would,
// writing to memory instead of a window, and prints how long the job took and
// the process's peak working set.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "digest/Crc32Accumulator.h"
#include "digest/Md5Accumulator.h"
#include "digest/Sha1Accumulator.h"
#include "report/DigestPass.h"
#include "report/JobPaths.h"
#include "report/ReportJob.h"

namespace {

class MemoryOutput final : public ReportOutput {
public:
    void AppendToReport(const std::wstring& text) override { report += text; }
    void SetProgress(int position) override
    {
        lastPosition = position;
        ++progressCalls;
    }

    std::wstring report;
    int lastPosition = -1;
    int progressCalls = 0;
};

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

std::string Utf8(const std::wstring& text)
{
    std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                        nullptr);
    bytes.pop_back();
    return bytes;
}

// Seconds to read the file in the job's chunks on one thread, feeding each
// chunk to the given accumulators.
template <typename... Accumulators>
double ReadAndHashSeconds(const std::wstring& path, Accumulators&... accumulators)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    std::vector<std::uint8_t> chunk(ReportChunkSize);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    (accumulators.Reset(), ...);
    DWORD length = 0;
    while (ReadFile(file, chunk.data(), ReportChunkSize, &length, nullptr) && length > 0)
        (accumulators.UpdateFromAddress(chunk.data(), length), ...);
    (accumulators.Finish(), ...);
    QueryPerformanceCounter(&end);
    CloseHandle(file);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

}  // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 2) {
        std::fprintf(stderr, "usage: report_bench.exe <file>\n");
        return 2;
    }
    const std::wstring path = arguments[1];
    LocalFree(arguments);

    MemoryOutput output;
    SetReportOutput(&output);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the file\n");
        return 2;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    const auto openFile = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(file));
    RememberJobPath(openFile, path);
    const SIZE_T peakBefore = PeakWorkingSet();

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HashFileJob(openFile, static_cast<std::uint32_t>(size.QuadPart));
    QueryPerformanceCounter(&end);

    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    std::printf("job_seconds %.3f\n", seconds);
    std::printf("job_mb_per_s %.1f\n", size.QuadPart / 1e6 / seconds);
    std::printf("peak_working_set_before_job %lu\n", static_cast<unsigned long>(peakBefore));
    std::printf("peak_working_set %lu\n", static_cast<unsigned long>(PeakWorkingSet()));
    // Each side of the job alone, measured after it so that their buffer does
    // not count in the job's peak: MD5 alone is the least the job can cost.
    Md5Accumulator md5;
    Sha1Accumulator sha1;
    Crc32Accumulator crc32;
    std::printf("md5_alone_seconds %.3f\n", ReadAndHashSeconds(path, md5));
    std::printf("read_sha1_crc32_seconds %.3f\n", ReadAndHashSeconds(path, sha1, crc32));
    std::printf("progress_calls %d last_position %d\n", output.progressCalls, output.lastPosition);
    std::printf("--- report\n%s", Utf8(output.report).c_str());
    return 0;
}
