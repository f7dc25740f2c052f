#include "app/SaveFileDialog.h"

#include <commdlg.h>

#include <algorithm>

std::wstring FilterListFromText(std::wstring filterText) {
    if (!filterText.ends_with(L"||")) filterText += L"||";
    std::replace(filterText.begin(), filterText.end(), L'|', L'\0');
    return filterText;
}

bool SaveFileDialog::Show(HWND owner) {
    const std::wstring filterList = FilterListFromText(filterText_);
    // Room for any path the dialog can return, long paths included.
    std::wstring file(32768, L'\0');
    std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 1), file.begin());

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filterList.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    // No OFN_FILEMUSTEXIST: in a save dialog it would refuse every new name.
    // No default extension: a name typed without one is saved as typed.
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&dialog)) return false;
    fileName_ = file.c_str();
    return true;
}
