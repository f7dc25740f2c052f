#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "report/TimeStampLines.h"

namespace {

TEST(TimeStampLines, ShowsBothStampsAtUtcPlusEightWithoutLeadingZeros)
{
    struct Case {
        FILETIME stamp;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {UtcFileTime(2014, 4, 3, 12, 34, 56), L"2014-4-3 星期四 20:34:56"},
        {UtcFileTime(2014, 4, 3, 20, 5, 9), L"2014-4-4 星期五 4:5:9"},
        {UtcFileTime(2013, 12, 31, 20, 0, 0), L"2014-1-1 星期三 4:0:0"},
        {FILETIME{}, L"1601-1-1 星期一 8:0:0"},
        {UtcFileTime(2026, 12, 5, 15, 59, 59), L"2026-12-5 星期六 23:59:59"},
        {UtcFileTime(2026, 12, 5, 16, 0, 0), L"2026-12-6 星期日 0:0:0"},
    };
    const FILETIME other = UtcFileTime(2000, 1, 1, 0, 0, 0);
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTimeStampLines(c.stamp, other),
                  std::wstring(L"创建时间：") + c.shown + L"\r\n修改时间：2000-1-1 星期六 8:0:0\r\n");
        EXPECT_EQ(FormatTimeStampLines(other, c.stamp),
                  std::wstring(L"创建时间：2000-1-1 星期六 8:0:0\r\n修改时间：") + c.shown + L"\r\n");
    }
}

TEST(TimeStampLines, ComeFromTheOpenFileOrShowTheZeroStampWhenUnreadable)
{
    ScratchFolder folder;
    const std::wstring path = folder.Write(L"stamped.bin", {1, 2, 3});
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    const FILETIME written = UtcFileTime(2013, 12, 31, 20, 0, 0);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    FILETIME creation{};
    ASSERT_TRUE(GetFileTime(file, &creation, nullptr, nullptr));

    const std::wstring lines = TimeStampLines(file);
    CloseHandle(file);
    EXPECT_EQ(lines, FormatTimeStampLines(creation, written));
    EXPECT_NE(lines.find(L"修改时间：2014-1-1 星期三 4:0:0\r\n"), std::wstring::npos);

    EXPECT_EQ(TimeStampLines(INVALID_HANDLE_VALUE),
              L"创建时间：1601-1-1 星期一 8:0:0\r\n修改时间：1601-1-1 星期一 8:0:0\r\n");
}

}  // namespace
