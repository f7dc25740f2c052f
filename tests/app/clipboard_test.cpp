#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/Clipboard.h"
#include "app/GbkText.h"

namespace {

// The whole memory block the clipboard holds in a format, terminating zero
// included.
std::string ClipboardBlock(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return "<clipboard busy>";
    if (HANDLE data = GetClipboardData(format)) {
        const auto* start = static_cast<const char*>(GlobalLock(data));
        bytes.assign(start, GlobalSize(data));
        GlobalUnlock(data);
    } else {
        bytes = "<absent>";
    }
    CloseClipboard();
    return bytes;
}

std::string Terminated(std::string text, std::size_t zeros = 1) { return text.append(zeros, '\0'); }

TEST(Clipboard, HoldsTheGbkBytesAndTheUnicodeText) {
    const std::wstring text = L"文件: C:\\报告.txt\r\nMD5: 0A\r\n";
    ASSERT_TRUE(PutTextOnClipboard(ToGbk(text), text));

    EXPECT_EQ(ClipboardBlock(CF_TEXT).substr(0, ToGbk(text).size() + 1), Terminated(ToGbk(text)));
    const std::string unicode = ClipboardBlock(CF_UNICODETEXT);
    const std::string expected(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(unicode.substr(0, expected.size()), expected);
}

TEST(Clipboard, EmptyTextLeavesOneZeroByte) {
    ASSERT_TRUE(PutTextOnClipboard("x", L"x"));
    ASSERT_TRUE(PutTextOnClipboard("", L""));
    EXPECT_EQ(ClipboardBlock(CF_TEXT).substr(0, 1), std::string(1, '\0'));
}

}  // namespace
