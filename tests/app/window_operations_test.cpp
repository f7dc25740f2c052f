#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "VelquinDriver.h"
#include "app/Commands.h"
#include "app/MainWindow.h"
#include "app/WindowOperations.h"

namespace {

// The real main window, hidden, made once for the whole program: its report
// box and progress bar are the controls the operations work on.
class WindowOperationsTest : public testing::Test {
protected:
    static void SetUpTestSuite() { window_ = MainWindow::Create(GetModuleHandleW(nullptr)); }

    void SetUp() override {
        ASSERT_NE(window_, nullptr);
        Report().SetReportText(L"");
    }

    static WindowOperations& Report() { return window_->Report(); }
    static HWND ReportBox() { return FindControl(L"Edit"); }
    static HWND ProgressBar() { return FindControl(PROGRESS_CLASSW); }

    static HWND FindControl(const wchar_t* windowClass) {
        return FindWindowExW(window_->Handle(), nullptr, windowClass, nullptr);
    }

    static std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0, end = 0;
        SendMessageW(ReportBox(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    // Runs the call on another thread while this one serves messages, as the
    // user-interface thread does for the report job's worker.
    template <typename Call>
    static void CallFromWorker(Call call) {
        struct Work {
            Call call;
            static DWORD WINAPI Run(void* work) {
                static_cast<Work*>(work)->call();
                return 0;
            }
        } work{call};
        HANDLE thread = CreateThread(nullptr, 0, &Work::Run, &work, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        for (;;) {
            const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT);
            if (woken != WAIT_OBJECT_0 + 1) {
                EXPECT_EQ(woken, WAIT_OBJECT_0) << "the worker did not finish";
                break;
            }
            // Only the sent messages: a posted one would mean the call did
            // not wait for its message to be handled.
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(thread);
    }

    static MainWindow* window_;
};

MainWindow* WindowOperationsTest::window_ = nullptr;

TEST_F(WindowOperationsTest, EmptyBoxGivesTheEmptyText) { EXPECT_EQ(Report().GetReportText(), L""); }

TEST_F(WindowOperationsTest, AppendGoesToTheEndWhateverTheUserSelected) {
    Report().SetReportText(L"第一行\r\nsecond line\r\n");
    SendMessageW(ReportBox(), EM_SETSEL, 2, 9);

    Report().AppendToReport(L"MD5: 00\r\n");

    const std::wstring expected = L"第一行\r\nsecond line\r\nMD5: 00\r\n";
    EXPECT_EQ(Report().GetReportText(), expected);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(expected.size()), DWORD(expected.size())))
        << "the caret ends after the new text";
}

TEST_F(WindowOperationsTest, SetReportTextPutsTheCaretAtTheStart) {
    Report().AppendToReport(L"old\r\n");
    Report().SetReportText(L"new text");
    EXPECT_EQ(Report().GetReportText(), L"new text");
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(0)));
}

TEST_F(WindowOperationsTest, BoxTakesFarMoreThanTheDefaultLimit) {
    const std::wstring line = std::wstring(998, L'文') + L"\r\n";
    for (int i = 0; i < 40; ++i) Report().AppendToReport(line);
    Report().AppendToReport(L"end");
    const std::wstring text = Report().GetReportText();
    EXPECT_EQ(text.size(), 40 * line.size() + 3);
    EXPECT_TRUE(text.ends_with(L"\r\nend"));
}

TEST_F(WindowOperationsTest, ProgressIsKeptWithinTheBarsRange) {
    const struct {
        int position;
        int shown;
    } cases[] = {{-5, 0}, {250, 100}, {57, 57}, {0, 0}, {100, 100}, {INT_MIN, 0}, {INT_MAX, 100}};
    for (const auto& c : cases) {
        Report().SetProgress(c.position);
        EXPECT_EQ(SendMessageW(ProgressBar(), PBM_GETPOS, 0, 0), c.shown) << "SetProgress(" << c.position << ")";
    }
}

TEST_F(WindowOperationsTest, WorkerCallsReturnOnlyOnceTheControlIsUpdated) {
    Report().SetReportText(L"before\r\n");
    CallFromWorker([] {
        Report().AppendToReport(L"from the worker\r\n");
        Report().SetProgress(42);
    });
    EXPECT_EQ(Report().GetReportText(), L"before\r\nfrom the worker\r\n");
    EXPECT_EQ(SendMessageW(ProgressBar(), PBM_GETPOS, 0, 0), 42);

    CallFromWorker([] { Report().SetReportText(L""); });
    EXPECT_EQ(Report().GetReportText(), L"");
}

// While a command's modal box is open, the worker goes on writing: the box's
// modal loop serves the window operations. The worker closes the box once its
// calls have returned.
TEST_F(WindowOperationsTest, WorkerGoesOnWritingWhileAModalBoxIsOpen) {
    Commands commands(window_->Handle(), Report());
    const struct {
        const char* command;
        void (Commands::*click)();
        int closeWith;
    } cases[] = {{"About", &Commands::OnAboutClicked, IDOK}, {"Save", &Commands::OnSaveClicked, IDCANCEL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Report().SetReportText(L"");
        Report().SetProgress(0);
        struct Worker {
            int closeWith;
            static DWORD WINAPI Run(void* context) {
                auto* self = static_cast<Worker*>(context);
                HWND box = nullptr;
                driver::WaitUntil([&] {
                    box = FindWindowW(L"#32770", nullptr);
                    return box && IsWindowVisible(box);
                });
                Report().AppendToReport(L"appended meanwhile\r\n");
                Report().SetProgress(57);
                PostMessageW(box, WM_COMMAND, self->closeWith, 0);
                return 0;
            }
        } worker{c.closeWith};
        HANDLE thread = CreateThread(nullptr, 0, &Worker::Run, &worker, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        (commands.*c.click)();
        EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
        CloseHandle(thread);
        EXPECT_EQ(Report().GetReportText(), L"appended meanwhile\r\n");
        EXPECT_EQ(SendMessageW(ProgressBar(), PBM_GETPOS, 0, 0), 57);
    }
}

TEST(WindowOperations, DoNothingOnceDetached) {
    HWND box = CreateWindowExW(0, L"Edit", L"kept", ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", 0, 0, 0, 100, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(box && bar);
    WindowOperations operations;
    operations.Attach(box, bar);
    operations.SetProgress(30);
    operations.Detach();

    operations.AppendToReport(L" more");
    operations.SetReportText(L"replaced");
    operations.SetProgress(80);

    wchar_t text[32] = {};
    GetWindowTextW(box, text, 32);
    EXPECT_STREQ(text, L"kept");
    EXPECT_EQ(operations.GetReportText(), L"");
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 30);
    DestroyWindow(box);
    DestroyWindow(bar);
}

}  // namespace
