#pragma once
#include <windows.h>

#include <string>

// The creation and modification lines of a report, shown at UTC+8 whatever the
// machine's zone: "创建时间：2014-4-3 星期四 20:34:56\r\n修改时间：…\r\n".
std::wstring FormatTimeStampLines(const FILETIME& creation, const FILETIME& lastWrite);

// The lines for an open file; both show the zero time stamp when its times
// cannot be read.
std::wstring TimeStampLines(HANDLE file);
