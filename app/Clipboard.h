#pragma once
#include <string>

// Replaces the clipboard's contents with a text: the GBK bytes as CF_TEXT
// (what an 8-bit reader of a Chinese system expects) and the same text as
// CF_UNICODETEXT (so a paste is right under any system locale). Returns false,
// changing nothing, when another program holds the clipboard open. When memory
// for CF_TEXT cannot be had, the clipboard is left empty.
bool PutTextOnClipboard(const std::string& gbkText, const std::wstring& text);
