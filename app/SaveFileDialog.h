#pragma once
#include <windows.h>

#include <string>

// The program's save dialog object: it keeps its filter and the path chosen
// last for the whole run, so every Save after the first opens on that path.
class SaveFileDialog {
public:
    // Pairs of description and pattern, each item followed by "|".
    void SetFilter(const std::wstring& filterText) { filterText_ = filterText; }
    // Shows the platform's save dialog, modal over owner. True on OK, with the
    // chosen full path in FileName().
    bool Show(HWND owner);
    const std::wstring& FileName() const { return fileName_; }

private:
    std::wstring filterText_;
    std::wstring fileName_;
};

// "a|b|" becomes "a\0b\0" followed by the list's end, as the dialog wants it.
std::wstring FilterListFromText(std::wstring filterText);
