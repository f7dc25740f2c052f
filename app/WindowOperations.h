#pragma once
#include <windows.h>

#include <atomic>
#include <string>

// The operations through which the rest of the program reaches the report box
// and the progress bar. Callable from any thread: each is a plain SendMessageW
// to the control, so a call from the worker returns only after the
// user-interface thread has handled it (in its main loop or in any modal loop).
// Once detached (the main window is gone) every operation does nothing.
class WindowOperations {
public:
    void Attach(HWND reportBox, HWND progressBar);
    void Detach();

    // Inserts at the end of the text whatever the user has selected; the caret
    // ends after the new text, in view.
    void AppendToReport(const std::wstring& text);
    // Replaces the whole text; the caret goes to the start.
    void SetReportText(const std::wstring& text);
    std::wstring GetReportText() const;
    // Moves the bar, keeping the position within 0..100.
    void SetProgress(int position);

private:
    std::atomic<HWND> reportBox_{nullptr};
    std::atomic<HWND> progressBar_{nullptr};
};
