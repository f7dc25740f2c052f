// Where the keyboard focus goes when the main window becomes active.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/MainWindow.h"

namespace {

HWND Control(HWND window, const wchar_t* windowClass) {
    return FindWindowExW(window, nullptr, windowClass, nullptr);
}

TEST(MainWindowFocus, ActivationKeepsTheFocusOnTheControlTheUserClicked) {
    MainWindow* window = MainWindow::Create(GetModuleHandleW(nullptr));
    ASSERT_NE(window, nullptr);
    window->Show();
    const HWND reportBox = Control(window->Handle(), L"Edit");
    ASSERT_NE(reportBox, nullptr);

    // Under X11 the activation may arrive after the click that put the focus
    // into the report box; it must not move the focus back to the first button.
    SetFocus(reportBox);
    ASSERT_EQ(GetFocus(), reportBox);
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(GetFocus(), reportBox);

    // Coming back with no control focused, the window hands the focus to the
    // control that had it last.
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr);
    SendMessageW(window->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), reportBox);

    // Destroying the main window posts the quit message, which would end the
    // modal loops of the tests that follow.
    DestroyWindow(window->Handle());
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
