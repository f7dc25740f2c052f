#include "app/GbkText.h"

#include <windows.h>

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::string ToGbk(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(kGbkCodePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}
