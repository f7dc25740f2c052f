#include <gtest/gtest.h>

#include <string>

#include "app/GbkText.h"
#include "app/ProgramTexts.h"
#include "app/SaveFileDialog.h"

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

struct FixedText {
    const wchar_t* text;
    const char* gbkHex;
};

// The GBK bytes each caption must have, whatever the system's ANSI code page.
const FixedText kFixedTexts[] = {
    {texts::AboutButton, "b9d8d3daa3a841a3a9"},
    {texts::ExitButton, "cdcbb3f6a3a84529"},
    {texts::SaveButton, "b1a3b4e6285329"},
    {texts::CopyButton, "b8b4d6c6284329"},
    {texts::ClearButton, "c7e5b3fd285829"},
    {texts::GroupBoxCaption, "32303134a1a44f726c696d6f20"},
    {texts::AboutCaption, "b9d8d3da2841626f757429"},
    {texts::SaveFilter, "cec4b1becec4bcfe282a2e747874297c2a2e7478747c"},
    {texts::MainWindowCaption, "56656c7175696e202d204f726c696d6f202d207777772e6f726c696d6f2e6578616d706c65"},
    {texts::AboutText,
     "3c3c3c3c2056656c7175696e203e3e3e3e0d0a0d0a"
     "a1a14f726c696d6fd6c6d7f720206f726c696d6f2e6578616d706c650d0a0d0a"
     "bdabd0e8d2aac9a8c3e8b5c4b3ccd0f2cdcfb5bdb1beb9a4bedfb4b0bfdabcb4bfc9"},
};

TEST(GbkText, FixedTextsHaveTheirExactGbkBytes) {
    for (const FixedText& fixed : kFixedTexts) {
        EXPECT_EQ(Hex(ToGbk(fixed.text)), fixed.gbkHex) << "text: " << Hex(ToGbk(fixed.text));
    }
}

TEST(GbkText, EmptyStaysEmptyAndUnmappableBecomesQuestionMark) {
    EXPECT_EQ(ToGbk(L""), "");
    // U+0E01 (Thai) has no GBK form; the line break is kept as typed.
    EXPECT_EQ(ToGbk(L"a\u0E01\r\n"), "a?\r\n");
}

TEST(SaveFilter, BecomesOneEntryFollowedByTheListEnd) {
    const std::wstring list = FilterListFromText(texts::SaveFilter);
    const wchar_t* description = list.c_str();
    const wchar_t* pattern = description + wcslen(description) + 1;
    const wchar_t* end = pattern + wcslen(pattern) + 1;
    EXPECT_STREQ(description, L"文本文件(*.txt)");
    EXPECT_STREQ(pattern, L"*.txt");
    EXPECT_EQ(*end, L'\0');
    EXPECT_EQ(FilterListFromText(L"a|b||"), std::wstring(L"a\0b\0\0", 5));
}

}  // namespace
