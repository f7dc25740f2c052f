#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "report/FileDropTarget.h"
#include "report/ProgramState.h"
#include "report/ReportJob.h"

namespace {

constexpr DWORD Patience = 20000;

std::vector<std::wstring> Delivered;
void RecordDelivery(const std::wstring& text) { Delivered.push_back(text); }

std::wstring DragSourcePath()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + L"..\\tools\\drag_source.exe";
}

// Runs drag_source.exe to drop the paths at the point, serving this thread's
// messages meanwhile (the drop arrives through them). Its exit code, or -1
// when it did not end in time.
int DragAndDrop(POINT point, const std::vector<std::wstring>& paths)
{
    std::wstring command = L"\"" + DragSourcePath() + L"\" " + std::to_wstring(point.x) + L" " +
                           std::to_wstring(point.y);
    for (const std::wstring& path : paths) command += L" \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -2;
    CloseHandle(process.hThread);

    const ULONGLONG deadline = GetTickCount64() + Patience;
    DWORD exitCode = static_cast<DWORD>(-1);
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) break;
        const DWORD woke = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE,
                                                     static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (woke == WAIT_OBJECT_0) {
            GetExitCodeProcess(process.hProcess, &exitCode);
            break;
        }
    }
    if (exitCode == static_cast<DWORD>(-1)) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

// A topmost window with a multi-line edit box over its right half.
class DropWindow {
public:
    static constexpr RECT Bounds{200, 150, 600, 450};

    DropWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = L"DropTargetTestWindow";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"drop here", WS_POPUP | WS_VISIBLE,
                                 Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
        box = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, 200, 0, 200,
                              300, window, nullptr, windowClass.hInstance, nullptr);
        UpdateWindow(window);
    }
    ~DropWindow()
    {
        RevokeDragDrop(window);
        DestroyWindow(window);
    }

    static constexpr POINT Background{Bounds.left + 100, Bounds.top + 150};
    static constexpr POINT OnBox{Bounds.left + 300, Bounds.top + 150};

    HWND window;
    HWND box;
};

class DropTargetTest : public testing::Test {
protected:
    static void SetUpTestSuite() { OleInitialize(nullptr); }
    static void TearDownTestSuite() { OleUninitialize(); }
    void SetUp() override { Delivered.clear(); }

    ScratchFolder folder;
};

TEST_F(DropTargetTest, ADropOnTheWindowOrItsControlsDeliversOneTextOfItsPaths)
{
    DropWindow target;
    ASSERT_TRUE(RegisterDropTarget(target.window, RecordDelivery));
    ASSERT_EQ(WindowFromPoint(DropWindow::Background), target.window);
    ASSERT_EQ(WindowFromPoint(DropWindow::OnBox), target.box);

    const std::wstring first = folder.Write(L"报告 first.bin", {1});
    const std::wstring second = folder.Write(L"second.bin", {2});
    struct Case {
        const char* what;
        POINT point;
        std::vector<std::wstring> paths;
        std::wstring text;
    };
    const Case cases[] = {
        {"one file on the background", DropWindow::Background, {first}, first},
        {"one file on the edit box", DropWindow::OnBox, {second}, second},
        {"two files", DropWindow::Background, {first, second}, first + L"\r\n" + second + L"\r\n"},
        {"a folder", DropWindow::OnBox, {folder.Path()}, folder.Path()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Delivered.clear();
        EXPECT_EQ(DragAndDrop(c.point, c.paths), 0);
        EXPECT_EQ(Delivered, std::vector<std::wstring>{c.text});
    }
}

TEST_F(DropTargetTest, ADroppedFileIsReportedThroughTheProgramsPool)
{
    RecordingOutput output;
    SetReportOutput(&output);
    TheJobPool = new JobPool;
    ASSERT_EQ(TheJobPool->Start(HashFileJob, 1), 1);
    DropWindow target;
    ASSERT_TRUE(RegisterFileDropTarget(target.window));

    const std::wstring path = folder.Write(L"dropped.bin", {'a', 'b', 'c'});
    EXPECT_EQ(DragAndDrop(DropWindow::OnBox, {path}), 0);
    ASSERT_TRUE(output.WaitForEntries(1));
    const std::vector<std::wstring> appended = output.Appended();
    ASSERT_EQ(appended.size(), 7u);
    EXPECT_EQ(appended[0], L"文件名称：" + path + L"\r\n");
    EXPECT_EQ(appended[3], L"MD5：900150983CD24FB0D6963F7D28E17F72\r\n");  // RFC 1321's "abc"

    TheJobPool->Stop();
    delete TheJobPool;
    TheJobPool = nullptr;
    SetReportOutput(nullptr);
}

}  // namespace
