#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "report/ReportOutput.h"

// Sets where HashFileJob writes; called once at start-up, before the pool starts.
void SetReportOutput(ReportOutput* output);

// The job routine of TheJobPool: hashes the open file and appends its report.
void HashFileJob(std::uint32_t openFile, std::uint32_t expectedSize);

// Takes in the text a drop delivers: opens the file and posts its job.
void OnFileDropped(const std::wstring& path);

// Makes the window (and so every control on it) a target for files dragged
// from the shell, delivering each drop to OnFileDropped.
bool RegisterFileDropTarget(HWND window);
