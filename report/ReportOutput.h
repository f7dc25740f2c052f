#pragma once
#include <string>

// Where report jobs write their lines and progress: the main window in the
// program, a recorder in tests and benchmarks. Called on the worker thread;
// each call returns once the text or position has arrived.
class ReportOutput {
public:
    virtual void AppendToReport(const std::wstring& text) = 0;
    virtual void SetProgress(int position) = 0;

protected:
    ~ReportOutput() = default;
};
