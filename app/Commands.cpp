#include "app/Commands.h"

#include <cstdlib>

#include "app/Clipboard.h"
#include "app/GbkText.h"
#include "app/ProgramTexts.h"
#include "app/SaveReport.h"

void Commands::OnAboutClicked() {
    // Owned by the main window: an ownerless box would open beneath the
    // topmost main window, out of reach of the mouse. While it is open the
    // main window takes no input, and the box's modal loop keeps serving the
    // worker's window operations.
    MessageBoxW(mainWindow_, texts::AboutText, texts::AboutCaption, MB_OK | MB_APPLMODAL);
}

void Commands::OnClearClicked() { report_.SetReportText(std::wstring()); }

void Commands::OnCopyClicked() {
    const std::wstring text = report_.GetReportText();
    PutTextOnClipboard(ToGbk(text), text);
}

void Commands::OnSaveClicked() {
    saveDialog_.SetFilter(texts::SaveFilter);
    if (!saveDialog_.Show(mainWindow_)) return;
    // Taken after the dialog closed: what a job appended meanwhile is saved too.
    const std::wstring text = report_.GetReportText();
    const std::wstring& path = saveDialog_.FileName();
    if (!SaveReport(path, ToGbk(text))) {
        const std::wstring message = texts::SaveFailedText + path;
        MessageBoxW(mainWindow_, message.c_str(), texts::SaveFailedCaption, MB_OK | MB_ICONERROR);
    }
}

void Commands::OnExitClicked() {
    // Ends at once, without closing the window or waiting for a running job;
    // the exit routine runs from the runtime's exit handlers.
    std::exit(0);
}
