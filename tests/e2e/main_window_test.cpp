// The main window as a user meets it: its place, look and keyboard, and the
// ways out of the program.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "RunningProgramTest.h"
#include "VelquinDriver.h"

using namespace driver;

namespace {

class MainWindowTest : public RunningProgramTest {
protected:
    bool FocusBecomes(HWND control) const {
        return WaitUntil([&] { return FocusIn(main_) == control; });
    }
};

TEST(Locale, AnsiCodePageIsTheOneThisRunIsFor) {
    const char* expected = std::getenv("VELQUIN_EXPECTED_ACP");
    if (!expected) GTEST_SKIP() << "run without a locale of its own";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST_F(MainWindowTest, WindowIsCentredFixedAndTopmost) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 505) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 276) / 2;
    const RECT frame = ScreenRect(main_);
    EXPECT_EQ(frame.left, left);
    EXPECT_EQ(frame.top, top);
    EXPECT_EQ(frame.right - frame.left, 505);
    EXPECT_EQ(frame.bottom - frame.top, 276);
    if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
        EXPECT_EQ(frame.left, 259);
        EXPECT_EQ(frame.top, 246);
    }

    EXPECT_EQ(WindowText(main_), L"Velquin - Orlimo - www.orlimo.example");
    const LONG style = GetWindowLongW(main_, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame cannot be resized";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(main_, GW_OWNER), nullptr);
}

TEST_F(MainWindowTest, ControlsHaveTheirPlacesStylesAndCaptions) {
    const struct {
        const wchar_t* windowClass;
        const wchar_t* caption;
        RECT rect;
        LONG style;
    } controls[] = {
        {L"Button", L"关于（A）", {25, 205, 97, 229}, WS_TABSTOP},
        {L"Button", L"退出（E)", {408, 204, 480, 228}, WS_TABSTOP},
        {L"Button", L"保存(S)", {312, 204, 384, 228}, WS_TABSTOP},
        {L"Button", L"复制(C)", {216, 204, 288, 228}, WS_TABSTOP},
        {L"Button", L"清除(X)", {120, 204, 192, 228}, WS_TABSTOP},
        {L"msctls_progress32", L"", {120, 232, 494, 247}, WS_BORDER},
        {L"Edit", L"", {5, 8, 493, 200},
         WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL |
             ES_AUTOVSCROLL},
    };
    for (const auto& expected : controls) {
        SCOPED_TRACE(testing::Message() << "control " << static_cast<int>(&expected - controls));
        const HWND control = FindControl(main_, expected.windowClass, expected.caption);
        ASSERT_NE(control, nullptr);
        const RECT rect = RectInParent(control);
        EXPECT_EQ(rect.left, expected.rect.left);
        EXPECT_EQ(rect.top, expected.rect.top);
        EXPECT_EQ(rect.right, expected.rect.right);
        EXPECT_EQ(rect.bottom, expected.rect.bottom);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        EXPECT_EQ(style & expected.style, expected.style);
        EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0) << "a thin border, no 3-D edge";
        if (expected.windowClass == std::wstring(L"Button")) {
            EXPECT_EQ(style & 0xF, BS_PUSHBUTTON) << "no default button";
        }
    }
    EXPECT_EQ(SendMessageW(FindControl(main_, L"msctls_progress32"), PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(GetWindowLongW(FindControl(main_, L"msctls_progress32"), GWL_STYLE) & PBS_SMOOTH, 0);
    EXPECT_EQ(GetWindowLongW(reportBox_, GWL_STYLE) & ES_READONLY, 0);

    // The group box lies beneath everything, along the foot of the window,
    // reaching past the client area's right and bottom edges.
    const HWND groupBox = FindControl(main_, L"Button", L"2014·Orlimo ");
    ASSERT_NE(groupBox, nullptr);
    EXPECT_EQ(GetWindowLongW(groupBox, GWL_STYLE) & 0xF, BS_GROUPBOX);
    EXPECT_EQ(GetWindow(main_, GW_CHILD), Button(L"关于（A）")) << "creation order is the tab order";
    EXPECT_EQ(GetWindow(groupBox, GW_HWNDLAST), groupBox) << "the group box is at the bottom";
    RECT client;
    GetClientRect(main_, &client);
    const RECT group = RectInParent(groupBox);
    EXPECT_EQ(group.left, 5);
    EXPECT_EQ(group.top, 232);
    EXPECT_GT(group.right, client.right);
    EXPECT_GT(group.bottom, client.bottom);
}

TEST_F(MainWindowTest, TabCyclesTheButtonsAndTheReportBox) {
    const HWND order[] = {Button(L"关于（A）"), Button(L"退出（E)"), Button(L"保存(S)"),
                          Button(L"复制(C)"),  Button(L"清除(X)"),  reportBox_};
    ASSERT_TRUE(FocusBecomes(order[0])) << "the first tab stop has the focus at start";
    for (int i = 1; i <= 6; ++i) {
        PressKey(VK_TAB);
        EXPECT_TRUE(FocusBecomes(order[i % 6])) << "Tab number " << i;
    }
    for (int i = 5; i >= 0; --i) {
        PressKey(VK_TAB, {VK_SHIFT});
        EXPECT_TRUE(FocusBecomes(order[i])) << "Shift+Tab to stop " << i;
    }
}

TEST_F(MainWindowTest, EnterInTheReportBoxStartsALineAndTabLeavesIt) {
    Click(reportBox_);
    ASSERT_TRUE(FocusBecomes(reportBox_));
    TypeText(L"第一行\nline 2");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(reportBox_) == L"第一行\r\nline 2"; }))
        << "box holds: " << testing::PrintToString(WindowText(reportBox_));
    PressKey(VK_TAB);
    EXPECT_TRUE(FocusBecomes(Button(L"关于（A）")));
    EXPECT_EQ(WindowText(reportBox_), L"第一行\r\nline 2") << "Tab inserts nothing";
}

// Shift+Esc is not Esc, and the letters in the button captions are no
// shortcuts.
TEST_F(MainWindowTest, KeysThatDoNothing) {
    const struct {
        const char* name;
        WORD key;
        WORD modifier;
    } keys[] = {{"Shift+Esc", VK_ESCAPE, VK_SHIFT}, {"Alt+A", 'A', VK_MENU}, {"Alt+E", 'E', VK_MENU},
                {"Alt+S", 'S', VK_MENU},          {"Alt+C", 'C', VK_MENU}, {"Alt+X", 'X', VK_MENU}};
    Click(reportBox_);
    TypeText(L"kept");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(reportBox_) == L"kept"; }));
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusBecomes(Button(L"关于（A）")));
    const HWND order[] = {Button(L"关于（A）"), Button(L"退出（E)"), Button(L"保存(S)"),
                          Button(L"复制(C)"),  Button(L"清除(X)"),  reportBox_};
    int stop = 0;
    for (const auto& key : keys) {
        SCOPED_TRACE(key.name);
        PressKey(key.key, {key.modifier});
        // Input is handled in order: once the Tab after it has moved the
        // focus, the key before it has been handled too.
        PressKey(VK_TAB);
        stop = (stop + 1) % 6;
        ASSERT_TRUE(FocusBecomes(order[stop]));
        EXPECT_TRUE(velquin_->IsRunning());
        EXPECT_EQ(velquin_->TopLevelWindows().size(), 1u) << "no box or dialog opened";
        EXPECT_EQ(WindowText(reportBox_), L"kept");
    }
}

// Every way out ends the program with exit code 0, the exit routine run once.
TEST(ProgramEnd, EveryWayOutExitsWithZeroAndRunsTheExitRoutineOnce) {
    const struct {
        const char* name;
        std::function<void(HWND main)> leave;
    } ways[] = {
        {"Esc on a button",
         [](HWND main) {
             Click(FindControl(main, L"Edit"));
             WaitUntil([&] { return FocusIn(main) == FindControl(main, L"Edit"); });
             PressKey(VK_TAB);
             WaitUntil([&] { return FocusIn(main) == FindControl(main, L"Button", L"关于（A）"); });
             PressKey(VK_ESCAPE);
         }},
        {"Esc in the report box",
         [](HWND main) {
             Click(FindControl(main, L"Edit"));
             WaitUntil([&] { return FocusIn(main) == FindControl(main, L"Edit"); });
             PressKey(VK_ESCAPE);
         }},
        {"Alt+F4", [](HWND) { PressKey(VK_F4, {VK_MENU}); }},
        {"close box",
         [](HWND main) {
             const std::optional<POINT> closeBox = CloseBoxPoint(main);
             ASSERT_TRUE(closeBox.has_value());
             ClickAt(*closeBox);
         }},
        {"Exit button", [](HWND main) { Click(FindControl(main, L"Button", L"退出（E)")); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        const auto velquin = VelquinProcess::Start();
        ASSERT_NE(velquin, nullptr);
        way.leave(velquin->MainWindow());
        const std::optional<DWORD> exitCode = velquin->WaitForExit();
        ASSERT_TRUE(exitCode.has_value()) << "still running";
        EXPECT_EQ(*exitCode, 0u);
        EXPECT_EQ(velquin->ExitRoutineRuns(), 1);
    }
}

}  // namespace
