// Files dragged onto the running program from another process with a real OLE
// drag and drop, as the shell drags them, and the report read back from the box.
#include <windows.h>
#include <commctrl.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "VelquinDriver.h"

using namespace driver;

namespace {

constexpr DWORD kDragPatience = 20000;
constexpr DWORD kReportPatience = 20000;
// Reading and hashing 2 GiB under Wine takes seconds; a slow shared machine
// may take many more.
constexpr DWORD kLargeReportPatience = 240000;

// Set by the build: where drag_source.exe lies relative to this test program.
std::wstring DragSourcePath() { return PathBesideThisTest(DRAG_SOURCE_FROM_TEST); }

// Drags the paths from drag_source.exe and drops them at the screen point.
// Its exit code (0 when a target took the drop), or -1 when it did not end.
int DragAndDrop(POINT point, const std::vector<std::wstring>& paths) {
    std::wstring command = L"\"" + DragSourcePath() + L"\" " + std::to_wstring(point.x) + L" " +
                           std::to_wstring(point.y);
    for (const std::wstring& path : paths) command += L" \"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -2;
    CloseHandle(process.hThread);
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, kDragPatience) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    const SYSTEMTIME fields = {year, month, 0, day, hour, minute, second, 0};
    FILETIME stamp = {};
    SystemTimeToFileTime(&fields, &stamp);
    return stamp;
}

// Every test file carries this time as both its creation and its modification
// time: Wine keeps no creation time of its own on a Linux file system and
// shows the modification time in its place. In China's time the instant falls
// on the next day and year, which a report in the machine's zone (or in UTC)
// would not show.
const FILETIME kStamp = Utc(2014, 12, 31, 23, 59, 59);
const wchar_t kTimeLines[] = L"创建时间：2015-1-1 星期四 7:59:59\r\n修改时间：2015-1-1 星期四 7:59:59\r\n";

struct Content {
    std::string bytes;
    const wchar_t* md5;
    const wchar_t* sha1;
    const wchar_t* crc32;
};

// Published test vectors.
const Content kFox = {"The quick brown fox jumps over the lazy dog", L"9E107D9D372BB6826BD81D3542A419D6",
                      L"2FD4E1C67A2D28FCED849EE1BB76E7391B93EB12", L"414FA339"};
const Content kEmpty = {"", L"D41D8CD98F00B204E9800998ECF8427E", L"DA39A3EE5E6B4B0D3255BFEF95601890AFD80709", L"0"};
const Content kAbc = {"abc", L"900150983CD24FB0D6963F7D28E17F72", L"A9993E364706816ABA3E25717850C26C9CD0D89D",
                      L"352441C2"};

std::wstring Report(const std::wstring& path, std::uint64_t size, const Content& content) {
    return L"文件名称：" + path + L"\r\n文件大小：" + std::to_wstring(size) + L" 字节\r\n" + kTimeLines + L"MD5：" +
           content.md5 + L"\r\nSHA1：" + content.sha1 + L"\r\nCRC32：" + content.crc32 + L"\r\n\r\n";
}

bool SetKnownTimes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool set = SetFileTime(file, &kStamp, nullptr, &kStamp);
    CloseHandle(file);
    return set;
}

// A file of `size` bytes that holds no data: reading it gives zeros.
bool MakeSparseFile(const std::wstring& path, std::int64_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    // Where the file system keeps no sparse flag, a file grown by its end
    // alone is sparse anyway.
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool made = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

class DropTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Launch()); }

    // A new run of the program: empty box, progress bar at 0.
    void Launch() {
        velquin_.reset();
        velquin_ = VelquinProcess::Start();
        ASSERT_NE(velquin_, nullptr);
        main_ = velquin_->MainWindow();
        reportBox_ = FindControl(main_, L"Edit");
        progressBar_ = FindControl(main_, PROGRESS_CLASSW);
        ASSERT_NE(reportBox_, nullptr);
        ASSERT_NE(progressBar_, nullptr);
        ASSERT_EQ(Progress(), 0);
    }

    std::wstring MakeFile(const std::wstring& name, const Content& content) {
        const std::wstring path = folder_.File(name);
        WriteFileBytes(path, content.bytes);
        EXPECT_TRUE(SetKnownTimes(path));
        return path;
    }

public:
    // Where a user drops, and the window under that point.
    struct Target {
        POINT point;
        HWND under;
    };
    Target OnBox() const { return {Centre(ScreenRect(reportBox_)), reportBox_}; }
    Target OnClearButton() const {
        const HWND clear = FindControl(main_, L"Button", L"清除(X)");
        return {Centre(ScreenRect(clear)), clear};
    }
    // Between the About and Clear buttons, clear of every control.
    Target OnBackground() const {
        POINT point = {108, 216};
        ClientToScreen(main_, &point);
        return {point, main_};
    }

protected:
    static testing::AssertionResult Drop(const Target& target, const std::vector<std::wstring>& paths) {
        if (WindowFromPoint(target.point) != target.under)
            return testing::AssertionFailure() << "the point is not over the window the test means";
        const int exitCode = DragAndDrop(target.point, paths);
        if (exitCode != 0) return testing::AssertionFailure() << "the drop was not taken: drag_source gave " << exitCode;
        return testing::AssertionSuccess();
    }

    void ExpectBox(const std::wstring& text, DWORD timeoutMs = kReportPatience) const {
        EXPECT_TRUE(WaitUntil([&] { return WindowText(reportBox_) == text; }, timeoutMs))
            << "box holds: " << testing::PrintToString(WindowText(reportBox_))
            << "\nexpected:  " << testing::PrintToString(text);
    }

    int Progress() const {
        DWORD_PTR position = 0;
        SendMessageTimeoutW(progressBar_, PBM_GETPOS, 0, 0, SMTO_NORMAL, 5000, &position);
        return static_cast<int>(position);
    }

    ScratchFolder folder_;
    std::unique_ptr<VelquinProcess> velquin_;
    HWND main_ = nullptr;
    HWND reportBox_ = nullptr;
    HWND progressBar_ = nullptr;
};

// The names hold characters of no ANSI code page of the machine, one beyond
// the Basic Multilingual Plane: the path must travel as UTF-16 all the way.
// Dropped on a button, the file must not press it: Clear would empty the box
// of the report an earlier drop left there.
TEST_F(DropTest, AFileDroppedOnTheBoxTheBackgroundOrAButtonIsReportedAfterTheEarlierReport) {
    const struct {
        const char* where;
        Target (DropTest::*target)() const;
        const wchar_t* name;
    } cases[] = {
        {"report box", &DropTest::OnBox, L"校验 报告.txt"},
        {"window background", &DropTest::OnBackground, L"表情😀 报告.txt"},
        {"Clear button", &DropTest::OnClearButton, L"देवनागरी क.txt"},
    };
    const std::wstring earlier = MakeFile(L"空.txt", kEmpty);
    for (const auto& drop : cases) {
        SCOPED_TRACE(drop.where);
        ASSERT_NO_FATAL_FAILURE(Launch());
        const std::wstring held = Report(earlier, 0, kEmpty);
        ASSERT_TRUE(Drop(OnBox(), {earlier}));
        ExpectBox(held);
        ASSERT_EQ(Progress(), 0) << "an empty file shows 0";

        const std::wstring path = MakeFile(drop.name, kFox);
        ASSERT_TRUE(Drop((this->*drop.target)(), {path}));
        ExpectBox(held + Report(path, kFox.bytes.size(), kFox));
        EXPECT_EQ(Progress(), 100);
    }
}

TEST_F(DropTest, TwoFilesDroppedOneAfterTheOtherAreReportedInDropOrder) {
    const std::wstring first = MakeFile(L"第一.txt", kFox);
    const std::wstring second = MakeFile(L"第二.txt", kAbc);
    ASSERT_TRUE(Drop(OnBox(), {first}));
    ASSERT_TRUE(Drop(OnBox(), {second}));
    ExpectBox(Report(first, kFox.bytes.size(), kFox) + Report(second, kAbc.bytes.size(), kAbc));
}

// The box cannot show that nothing happened, but a job would run before the
// one a later drop starts: once that later report is in, the box shows
// whether the first drop added anything.
TEST_F(DropTest, SeveralFilesAtOnceOrAFolderAddNothing) {
    const std::wstring first = MakeFile(L"一.txt", kFox);
    const std::wstring second = MakeFile(L"二.txt", kAbc);
    const ScratchFolder emptyFolder;
    const std::wstring& folder = emptyFolder.Path();
    const struct {
        const char* what;
        std::vector<std::wstring> paths;
    } cases[] = {
        {"two files", {first, second}},
        {"a folder", {folder}},
        {"a folder and a file", {folder, first}},
    };
    for (const auto& drop : cases) {
        SCOPED_TRACE(drop.what);
        ASSERT_NO_FATAL_FAILURE(Launch());
        ASSERT_TRUE(Drop(OnBox(), drop.paths));
        ASSERT_TRUE(Drop(OnBox(), {second}));
        ExpectBox(Report(second, kAbc.bytes.size(), kAbc));
    }
}

// Beyond 2 GiB a 32-bit size turns negative and past 4 GiB it wraps; the
// report must show the real size and the digests of every byte. The digests
// of 2,147,483,653 zero bytes were computed with Python's hashlib and zlib.
TEST_F(DropTest, ASparseFileOfMoreThanTwoGibibytesShowsItsExactSize) {
    const std::wstring path = folder_.File(L"稀疏 大文件.bin");
    constexpr std::int64_t kSize = (std::int64_t{1} << 31) + 5;
    ASSERT_TRUE(MakeSparseFile(path, kSize));
    ASSERT_TRUE(SetKnownTimes(path));
    const Content zeros = {"", L"27A58AC472069B6055C9EC7C843BE6FF", L"BDE035EFD86418539C2831F2D75010C4D867A04E",
                           L"C70C0FB9"};

    ASSERT_TRUE(Drop(OnBox(), {path}));
    ExpectBox(Report(path, kSize, zeros), kLargeReportPatience);
    EXPECT_EQ(Progress(), 100);
}

TEST_F(DropTest, CopyAfterAReportGivesTheReportAsGbk) {
    const std::wstring path = MakeFile(L"复制 报告.txt", kFox);
    ASSERT_TRUE(Drop(OnBox(), {path}));
    const std::wstring report = Report(path, kFox.bytes.size(), kFox);
    ExpectBox(report);

    EmptyTheClipboard();
    Click(FindControl(main_, L"Button", L"复制(C)"));
    std::optional<std::string> copied;
    ASSERT_TRUE(WaitUntil([&] { return (copied = ClipboardText(CF_TEXT)).has_value(); }));
    EXPECT_EQ(*copied, Gbk(report));
}

}  // namespace
