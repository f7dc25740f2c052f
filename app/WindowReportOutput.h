#pragma once
#include "app/WindowOperations.h"
#include "report/ReportOutput.h"

// Lets the report job write into the main window.
class WindowReportOutput final : public ReportOutput {
public:
    explicit WindowReportOutput(WindowOperations& window) : window_(window) {}

    void AppendToReport(const std::wstring& text) override { window_.AppendToReport(text); }
    void SetProgress(int position) override { window_.SetProgress(position); }

private:
    WindowOperations& window_;
};
