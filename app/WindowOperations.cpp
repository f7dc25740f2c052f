#include "app/WindowOperations.h"

#include <commctrl.h>

#include <algorithm>

void WindowOperations::Attach(HWND reportBox, HWND progressBar) {
    reportBox_ = reportBox;
    progressBar_ = progressBar;
}

void WindowOperations::Detach() {
    reportBox_ = nullptr;
    progressBar_ = nullptr;
}

void WindowOperations::AppendToReport(const std::wstring& text) {
    const HWND box = reportBox_;
    if (!box) return;
    // Separate messages: the user-interface thread may handle a Clear between
    // them, and the edit control takes a selection past the end as the end.
    const LRESULT end = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void WindowOperations::SetReportText(const std::wstring& text) {
    const HWND box = reportBox_;
    if (!box) return;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

std::wstring WindowOperations::GetReportText() const {
    const HWND box = reportBox_;
    if (!box) return {};
    const LRESULT length = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void WindowOperations::SetProgress(int position) {
    const HWND bar = progressBar_;
    if (!bar) return;
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(std::clamp(position, 0, 100)), 0);
}
