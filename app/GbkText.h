#pragma once
#include <string>

// The report as the bytes the program hands out (clipboard CF_TEXT, saved
// file): GBK, code page 936, whatever the system's ANSI code page is.
// Characters GBK lacks become "?".
std::string ToGbk(const std::wstring& text);
