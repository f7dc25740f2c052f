#include "report/ReportJob.h"

#include "report/ProgramState.h"

// Stand-ins until the report job lands.
JobPool* TheJobPool = nullptr;
std::wstring CurrentPath;

void SetReportOutput(ReportOutput*) {}
void HashFileJob(std::uint32_t, std::uint32_t) {}
void OnFileDropped(const std::wstring&) {}
bool RegisterFileDropTarget(HWND) { return false; }
