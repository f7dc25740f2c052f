#include "app/Clipboard.h"

#include <windows.h>

#include <cstring>

namespace {

// Hands a copy of the bytes plus a terminating zero to the clipboard; the
// clipboard owns the memory once SetClipboardData succeeds.
bool HandToClipboard(UINT format, const void* data, std::size_t size, std::size_t zeroSize) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + zeroSize);
    if (!memory) return false;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, data, size);
        GlobalUnlock(memory);
        if (SetClipboardData(format, memory)) return true;
    }
    GlobalFree(memory);
    return false;
}

}  // namespace

bool PutTextOnClipboard(const std::string& gbkText, const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    if (HandToClipboard(CF_TEXT, gbkText.data(), gbkText.size(), 1)) {
        HandToClipboard(CF_UNICODETEXT, text.data(), text.size() * sizeof(wchar_t), sizeof(wchar_t));
    }
    CloseClipboard();
    return true;
}
