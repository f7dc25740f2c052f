#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <string>

#include "app/AttachSkin.h"
#include "app/ExitRoutine.h"
#include "app/FatalError.h"
#include "app/MainWindow.h"
#include "app/ProgramTexts.h"
#include "app/WindowReportOutput.h"
#include "report/ProgramState.h"
#include "report/ReportJob.h"

namespace {

void MakeProgramFolderCurrent() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return;
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    SetCurrentDirectoryW(path.c_str());
}

void OnWindowCreated(MainWindow& window) {
    // The main window itself: a drop on any of its controls reaches it too.
    RegisterFileDropTarget(window.Handle());
    // Trivially destructible, so nothing tears it down while a worker may
    // still be writing as the program ends.
    static WindowReportOutput output(window.Report());
    SetReportOutput(&output);
    TheJobPool->Start(HashFileJob, 1);
    AttachSkin();
}

void RunMessageLoop(MainWindow& window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.HandleNavigationKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    MakeProgramFolderCurrent();
    TheJobPool = new JobPool;
    std::atexit(ExitRoutine);

    MainWindow* window = MainWindow::Create(instance);
    if (!window) FatalError(texts::MainWindowFailed);
    OnWindowCreated(*window);
    window->Show();

    RunMessageLoop(*window);
    return 0;
}
