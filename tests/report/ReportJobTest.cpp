#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "report/DigestPass.h"
#include "report/JobPaths.h"
#include "report/ProgramState.h"
#include "report/ReportJob.h"

namespace {

// Wine keeps no creation time of its own (it shows the modification time), so
// the files get the same instant for both.
const FILETIME Stamp = UtcFileTime(2013, 12, 31, 20, 0, 0);
const wchar_t* const StampLines = L"创建时间：2014-1-1 星期三 4:0:0\r\n修改时间：2014-1-1 星期三 4:0:0\r\n";

std::vector<std::wstring> ExpectedReport(const std::wstring& path, const std::vector<std::uint8_t>& content)
{
    return {L"文件名称：" + path + L"\r\n",
            L"文件大小：" + std::to_wstring(content.size()) + L" 字节\r\n",
            StampLines,
            L"MD5：" + SystemMd5(content) + L"\r\n",
            L"SHA1：" + SystemSha1(content) + L"\r\n",
            L"CRC32：" + SystemCrc32(content) + L"\r\n",
            L"\r\n"};
}

std::vector<std::wstring> Slice(const std::vector<std::wstring>& all, std::size_t from, std::size_t count)
{
    if (from >= all.size()) return {};
    return {all.begin() + from, all.begin() + std::min(all.size(), from + count)};
}

// The program's pool with the report job on one worker, writing to a recorder.
class ReportJobTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetReportOutput(&output);
        TheJobPool = new JobPool;
        ASSERT_EQ(TheJobPool->Start(HashFileJob, 1), 1);
    }
    void TearDown() override
    {
        TheJobPool->Stop();
        delete TheJobPool;
        TheJobPool = nullptr;
        SetReportOutput(nullptr);
    }

    std::wstring WriteStamped(const std::wstring& name, const std::vector<std::uint8_t>& content)
    {
        const std::wstring path = folder.Write(name, content);
        HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        SetFileTime(file, &Stamp, nullptr, &Stamp);
        CloseHandle(file);
        return path;
    }

    RecordingOutput output;
    ScratchFolder folder;
};

TEST_F(ReportJobTest, ReportsEachFileByteExactWithItsProgress)
{
    struct Case {
        const wchar_t* name;
        std::size_t size;
        std::vector<int> positions;
    };
    const Case cases[] = {
        {L"empty.bin", 0, {0, 0}},
        {L"one byte.bin", 1, {0, 100}},
        {L"one chunk.bin", 5'242'880, {0, 100}},
        {L"文件 two chunks.bin", 5'242'881, {0, 99, 100}},
    };
    int entries = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size);
        const std::vector<std::uint8_t> content = PatternBytes(c.size);
        const std::wstring path = WriteStamped(c.name, content);
        const std::size_t appendedBefore = output.Appended().size();
        const std::size_t positionsBefore = output.Positions().size();

        OnFileDropped(path);
        EXPECT_EQ(CurrentPath, path);
        ASSERT_TRUE(output.WaitForEntries(++entries));

        EXPECT_EQ(Slice(output.Appended(), appendedBefore, 99), ExpectedReport(path, content));
        const std::vector<int> positions = output.Positions();
        EXPECT_EQ(std::vector<int>(positions.begin() + positionsBefore, positions.end()), c.positions);
    }
}

TEST(ProgressPosition, FormsTheQuotientBeforeScalingAndTruncates)
{
    constexpr std::uint64_t Chunk = ReportChunkSize;
    constexpr std::uint64_t FiveHundredMiB = 524'288'000;
    struct Case {
        std::uint64_t total, size;
        int position;
    };
    for (Case c : {Case{29 * Chunk, FiveHundredMiB, 28}, Case{57 * Chunk, FiveHundredMiB, 56},
                   Case{58 * Chunk, FiveHundredMiB, 57}, Case{100 * Chunk, FiveHundredMiB, 100},
                   Case{Chunk, Chunk + 1, 99}, Case{0, 0, 0}, Case{Chunk, 5 * (1ull << 30), 0},
                   Case{3ull << 30, 6ull << 30, 50}})
        EXPECT_EQ(ProgressPosition(c.total, c.size), c.position) << c.total << " of " << c.size;
}

TEST_F(ReportJobTest, TwoQuickDropsGiveTwoReportsInDropOrderEachOfItsOwnFile)
{
    const std::vector<std::uint8_t> first = PatternBytes(6'000'000);
    const std::vector<std::uint8_t> second = {'v'};
    const std::wstring firstPath = WriteStamped(L"first.bin", first);
    const std::wstring secondPath = WriteStamped(L"second.bin", second);

    OnFileDropped(firstPath);
    OnFileDropped(secondPath);
    EXPECT_EQ(CurrentPath, secondPath);
    ASSERT_TRUE(output.WaitForEntries(2));

    const std::vector<std::wstring> appended = output.Appended();
    EXPECT_EQ(Slice(appended, 0, 7), ExpectedReport(firstPath, first));
    EXPECT_EQ(Slice(appended, 7, 99), ExpectedReport(secondPath, second));
}

TEST_F(ReportJobTest, DropsThatOpenNoFileDoNothing)
{
    const std::wstring a = WriteStamped(L"a.bin", {1});
    const std::wstring b = WriteStamped(L"b.bin", {2});
    const std::wstring written = WriteStamped(L"being written.bin", {3});
    const std::wstring accepted = WriteStamped(L"accepted.bin", {4});
    HANDLE writer = CreateFileW(written.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    CurrentPath = L"before";

    for (const std::wstring& text : {a + L"\r\n" + b + L"\r\n", folder.Path(), folder.Path() + L"\\missing.bin",
                                     written, std::wstring()})
        OnFileDropped(text);
    EXPECT_EQ(CurrentPath, L"before");
    CloseHandle(writer);

    // Jobs run in drop order: had any of those made a job, its lines would
    // come before these.
    OnFileDropped(accepted);
    ASSERT_TRUE(output.WaitForEntries(1));
    EXPECT_EQ(output.Appended(), ExpectedReport(accepted, {4}));
}

TEST_F(ReportJobTest, WhileAJobHoldsItsFileOthersMayReadButNotWrite)
{
    const std::wstring path = WriteStamped(L"held.bin", PatternBytes(100));
    bool checked = false;
    DWORD readError = 1, writeError = 0;
    output.onProgress = [&](int) {
        if (checked) return;
        checked = true;
        HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        readError = reader == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
        HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        writeError = writer == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    };
    OnFileDropped(path);
    ASSERT_TRUE(output.WaitForEntries(1));
    EXPECT_TRUE(checked);
    EXPECT_EQ(readError, 0u);
    EXPECT_EQ(writeError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    // Once the job is done the file is free again.
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    CloseHandle(writer);
}

TEST_F(ReportJobTest, AFileCutShortDuringThePassEndsAsFailedAndTheNextJobRuns)
{
    // The test holds the file open for writing beside the job and cuts it
    // short once the first chunk has been hashed: the reads after it find
    // nothing before the size the job set out to read.
    const std::wstring path = folder.Write(L"cut short.bin", PatternBytes(5 * ReportChunkSize + 1));
    HANDLE jobFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    HANDLE cutter = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(cutter, INVALID_HANDLE_VALUE);
    output.onProgress = [&](int position) {
        if (position == 0 || cutter == INVALID_HANDLE_VALUE) return;
        SetFilePointer(cutter, ReportChunkSize + 100, nullptr, FILE_BEGIN);
        SetEndOfFile(cutter);
        CloseHandle(cutter);
        cutter = INVALID_HANDLE_VALUE;
    };
    output.AppendToReport(L"text typed earlier\r\n");
    const auto openFile = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(jobFile));
    RememberJobPath(openFile, path);
    ASSERT_EQ(TheJobPool->Post(openFile, 5 * ReportChunkSize + 1), 1);
    ASSERT_TRUE(output.WaitForEntries(1));
    EXPECT_EQ(cutter, INVALID_HANDLE_VALUE);
    EXPECT_EQ(output.Appended(), (std::vector<std::wstring>{L"text typed earlier\r\n",
                                                            L"文件读取失败：" + path + L"\r\n", L"\r\n"}));
    const int lastPosition = output.Positions().back();
    EXPECT_GT(lastPosition, 0);
    EXPECT_LT(lastPosition, 100);

    const std::wstring next = WriteStamped(L"next.bin", {5});
    OnFileDropped(next);
    ASSERT_TRUE(output.WaitForEntries(2));
    EXPECT_EQ(Slice(output.Appended(), 3, 99), ExpectedReport(next, {5}));
}

}  // namespace
