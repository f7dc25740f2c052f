#pragma once
#include <windows.h>

#include <memory>

#include "app/Commands.h"
#include "app/WindowOperations.h"

// The program's one top-level window: the report box, the progress bar, the
// five command buttons and the group box along the foot.
class MainWindow {
public:
    static constexpr wchar_t kClassName[] = L"VelquinMainWindow";

    // Creates the window, still hidden, with all its controls; null when the
    // window cannot be made.
    static MainWindow* Create(HINSTANCE instance);

    HWND Handle() const { return window_; }
    WindowOperations& Report() { return report_; }
    void Show();

    // Tab, Shift+Tab and Esc are the window's, whichever control has the
    // focus; true when the message was one of them and has been handled.
    bool HandleNavigationKey(const MSG& message);

private:
    MainWindow() = default;
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnButtonClicked(int controlId);
    void OnActivate(bool active);
    void OnDestroy();
    void OnTabPressed(bool backwards);
    void OnEscapePressed();

    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    WindowOperations report_;
    std::unique_ptr<Commands> commands_;
};
