#include "report/TimeStampLines.h"

#include <cstdint>

namespace {

// Eight hours in 100-nanosecond intervals: reports always show China's time.
constexpr std::uint64_t ShownZoneOffset = 8ull * 60 * 60 * 10'000'000;

constexpr const wchar_t* WeekdayNames[] = {L"日", L"一", L"二", L"三", L"四", L"五", L"六"};

std::wstring FormatShifted(const FILETIME& stamp)
{
    ULARGE_INTEGER value;
    value.LowPart = stamp.dwLowDateTime;
    value.HighPart = stamp.dwHighDateTime;
    value.QuadPart += ShownZoneOffset;
    const FILETIME shifted{value.LowPart, value.HighPart};
    SYSTEMTIME fields{};
    FileTimeToSystemTime(&shifted, &fields);
    return std::to_wstring(fields.wYear) + L"-" + std::to_wstring(fields.wMonth) + L"-" +
           std::to_wstring(fields.wDay) + L" 星期" + WeekdayNames[fields.wDayOfWeek % 7] + L" " +
           std::to_wstring(fields.wHour) + L":" + std::to_wstring(fields.wMinute) + L":" +
           std::to_wstring(fields.wSecond);
}

}  // namespace

std::wstring FormatTimeStampLines(const FILETIME& creation, const FILETIME& lastWrite)
{
    return L"创建时间：" + FormatShifted(creation) + L"\r\n修改时间：" + FormatShifted(lastWrite) + L"\r\n";
}

std::wstring TimeStampLines(HANDLE file)
{
    FILETIME creation{}, lastAccess{}, lastWrite{};
    if (!GetFileTime(file, &creation, &lastAccess, &lastWrite)) creation = lastWrite = FILETIME{};
    return FormatTimeStampLines(creation, lastWrite);
}
