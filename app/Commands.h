#pragma once
#include <windows.h>

#include "app/SaveFileDialog.h"
#include "app/WindowOperations.h"

// What the five buttons of the main window do. Each runs on the
// user-interface thread and reaches the report box only through the window
// operations.
class Commands {
public:
    Commands(HWND mainWindow, WindowOperations& report) : mainWindow_(mainWindow), report_(report) {}

    void OnAboutClicked();
    void OnClearClicked();
    void OnCopyClicked();
    void OnSaveClicked();
    [[noreturn]] void OnExitClicked();

private:
    HWND mainWindow_;
    WindowOperations& report_;
    SaveFileDialog saveDialog_;
};
