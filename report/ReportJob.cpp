#include "report/ReportJob.h"

#include <cstdint>

#include "report/DigestPass.h"
#include "report/JobPaths.h"
#include "report/TimeStampLines.h"
#include "report/TrimWorkingSet.h"

namespace {

// Until the window gives its own, reports go nowhere; the job still runs and
// releases its file.
class DiscardedOutput final : public ReportOutput {
public:
    void AppendToReport(const std::wstring&) override {}
    void SetProgress(int) override {}
};

DiscardedOutput Discarded;
ReportOutput* Output = &Discarded;

void AppendReport(ReportOutput& output, const std::wstring& path, std::uint64_t size,
                  const std::wstring& timeStampLines, const DigestPassResult& digests)
{
    output.AppendToReport(L"文件名称：" + path + L"\r\n");
    output.AppendToReport(L"文件大小：" + std::to_wstring(size) + L" 字节\r\n");
    output.AppendToReport(timeStampLines);
    output.AppendToReport(L"MD5：" + digests.md5 + L"\r\n");
    output.AppendToReport(L"SHA1：" + digests.sha1 + L"\r\n");
    output.AppendToReport(L"CRC32：" + digests.crc32 + L"\r\n");
    output.AppendToReport(L"\r\n");
}

// Earlier reports and whatever the user typed stay in the box.
void AppendFailure(ReportOutput& output, const std::wstring& path)
{
    output.AppendToReport(L"文件读取失败：" + path + L"\r\n");
    output.AppendToReport(L"\r\n");
}

}  // namespace

void SetReportOutput(ReportOutput* output)
{
    Output = output != nullptr ? output : &Discarded;
}

// The second value, the low 32 bits of the size seen at the drop, is not
// needed: the open file tells its real size, also beyond 4 GiB.
void HashFileJob(std::uint32_t openFile, std::uint32_t)
{
    ReportOutput& output = *Output;
    HANDLE file = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(openFile));
    const std::wstring path = TakeJobPath(openFile);
    output.SetProgress(0);

    LARGE_INTEGER size{};
    DigestPassResult digests;
    if (GetFileSizeEx(file, &size) && SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN))
        digests = RunDigestPass(file, static_cast<std::uint64_t>(size.QuadPart), output);
    TrimWorkingSet();
    const std::wstring timeStampLines = TimeStampLines(file);
    CloseHandle(file);

    if (digests.wholeFileRead)
        AppendReport(output, path, static_cast<std::uint64_t>(size.QuadPart), timeStampLines, digests);
    else
        AppendFailure(output, path);
}
