// The five buttons, clicked as a user clicks them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "RunningProgramTest.h"
#include "VelquinDriver.h"

using namespace driver;

namespace {

class CommandsTest : public RunningProgramTest {
protected:
    void SetUp() override {
        EmptyTheClipboard();
        RunningProgramTest::SetUp();
    }

    // Types the text into the report box as the user would.
    void TypeReport(const std::wstring& typed, const std::wstring& boxText) {
        Click(reportBox_);
        TypeText(typed);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(reportBox_) == boxText; }))
            << "box holds: " << testing::PrintToString(WindowText(reportBox_));
    }

    std::optional<std::string> CopyAndReadClipboard() {
        EmptyTheClipboard();
        Click(Button(L"复制(C)"));
        std::optional<std::string> text;
        WaitUntil([&] { return (text = ClipboardText(CF_TEXT)).has_value(); });
        return text;
    }

    // Clicks Save, types the path into the dialog's file name field and
    // presses Enter.
    void SaveAs(const std::wstring& path) {
        Click(Button(L"保存(S)"));
        const HWND dialog = velquin_->WaitForWindow(L"#32770");
        ASSERT_NE(dialog, nullptr) << "no save dialog";
        HWND nameField = GetDlgItem(dialog, 0x47c);  // the file name combo box
        if (nameField) nameField = FindControl(nameField, L"Edit");
        if (!nameField) nameField = GetDlgItem(dialog, 0x480);
        ASSERT_NE(nameField, nullptr) << "no file name field";
        Click(nameField);
        ASSERT_TRUE(WaitUntil([&] { return FocusIn(dialog) == nameField; }));
        PressKey(VK_END);
        PressKey(VK_HOME, {VK_SHIFT});
        TypeText(path + L"\n");
    }

    bool DialogsClosed() const {
        return WaitUntil([&] { return velquin_->TopLevelWindows().size() == 1; });
    }

    // The file once the save that closing the dialog started has finished:
    // reading it while the program replaces it would make the save fail.
    std::optional<std::string> SavedFile(const std::wstring& path) const {
        if (!DialogsClosed() || !velquin_->WaitUntilIdle() || !DialogsClosed()) return std::nullopt;
        return ReadFileBytes(path);
    }
};

const wchar_t kTyped[] = L"文件: C:\\报告.txt\n大小: 12 字节\nMD5: 0A1B\n";
const wchar_t kBoxText[] = L"文件: C:\\报告.txt\r\n大小: 12 字节\r\nMD5: 0A1B\r\n";

TEST_F(CommandsTest, CopyPutsTheBoxTextOnTheClipboardAsGbkAndUnicode) {
    TypeReport(kTyped, kBoxText);
    const std::optional<std::string> text = CopyAndReadClipboard();
    ASSERT_TRUE(text.has_value()) << "nothing on the clipboard";
    EXPECT_EQ(*text, Gbk(kBoxText));
    const std::optional<std::string> unicode = ClipboardText(CF_UNICODETEXT);
    ASSERT_TRUE(unicode.has_value());
    EXPECT_EQ(*unicode, std::string(reinterpret_cast<const char*>(kBoxText), wcslen(kBoxText) * sizeof(wchar_t)));
}

TEST_F(CommandsTest, ClearThenCopyGivesTheEmptyText) {
    TypeReport(L"some text\n", L"some text\r\n");
    Click(Button(L"清除(X)"));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(reportBox_).empty(); }));
    const std::optional<std::string> text = CopyAndReadClipboard();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, "");
}

TEST_F(CommandsTest, SaveUnderANewNameWithoutExtensionWritesTheClipboardBytes) {
    ScratchFolder folder;
    TypeReport(kTyped, kBoxText);
    const std::optional<std::string> copied = CopyAndReadClipboard();
    ASSERT_TRUE(copied.has_value());

    SaveAs(folder.File(L"report"));
    EXPECT_EQ(SavedFile(folder.File(L"report")), copied);
    EXPECT_EQ(folder.FileNames(), std::vector<std::wstring>{L"report"}) << "no extension added, nothing left over";
    EXPECT_EQ(copied->find('\n'), copied->find("\r\n") + 1) << "lines end with CR LF";
    EXPECT_NE(copied->substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(CommandsTest, SaveOverAnExistingFileAsksThenReplacesItWhole) {
    ScratchFolder folder;
    const std::wstring path = folder.File(L"old.txt");
    WriteFileBytes(path, std::string(5000, 'x'));
    TypeReport(L"short\n", L"short\r\n");

    SaveAs(path);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : velquin_->TopLevelWindows()) {
            if (GetWindow(window, GW_OWNER) && GetWindow(window, GW_OWNER) != main_ && FindControl(window, L"Button")) {
                question = window;
                return true;
            }
        }
        return false;
    })) << "no question before replacing";
    HWND yes = GetDlgItem(question, IDYES);
    ASSERT_NE(yes, nullptr);
    Click(yes);
    EXPECT_EQ(SavedFile(path), "short\r\n");
}

TEST_F(CommandsTest, SecondSaveOpensOnThePathChosenFirst) {
    ScratchFolder folder;
    TypeReport(L"x\n", L"x\r\n");
    SaveAs(folder.File(L"first"));
    ASSERT_EQ(SavedFile(folder.File(L"first")), "x\r\n");

    Click(Button(L"保存(S)"));
    const HWND dialog = velquin_->WaitForWindow(L"#32770");
    ASSERT_NE(dialog, nullptr);
    HWND nameField = GetDlgItem(dialog, 0x47c);
    if (nameField) nameField = FindControl(nameField, L"Edit");
    if (!nameField) nameField = GetDlgItem(dialog, 0x480);
    ASSERT_NE(nameField, nullptr);
    const std::wstring shown = WindowText(nameField);
    EXPECT_TRUE(shown == folder.File(L"first") || shown == L"first") << testing::PrintToString(shown);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(DialogsClosed());
    EXPECT_TRUE(velquin_->IsRunning());
}

TEST_F(CommandsTest, SaveIntoAFolderThatCannotBeWrittenShowsAnErrorBox) {
    // Made by the test run beforehand (unwritable-folder.sh).
    const char* folder = std::getenv("VELQUIN_UNWRITABLE_FOLDER");
    if (!folder) GTEST_SKIP() << "VELQUIN_UNWRITABLE_FOLDER not set";
    const std::wstring path = std::wstring(folder, folder + std::strlen(folder)) + L"\\report.txt";
    TypeReport(L"x\n", L"x\r\n");
    SaveAs(path);
    HWND errorBox = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : velquin_->TopLevelWindows()) {
            if (GetWindow(window, GW_OWNER) != main_ || !FindControl(window, L"Static", nullptr)) continue;
            for (HWND child : Children(window)) {
                if (ClassName(child) == L"Static" && WindowText(child).find(path) != std::wstring::npos) {
                    errorBox = window;
                }
            }
        }
        return errorBox != nullptr;
    })) << "no error box naming the path";
    EXPECT_FALSE(IsWindowEnabled(main_));
    PressKey(VK_RETURN);
    EXPECT_TRUE(DialogsClosed());
    EXPECT_TRUE(velquin_->IsRunning());
}

TEST_F(CommandsTest, AboutShowsItsBoxAndHoldsTheMainWindowMeanwhile) {
    Click(Button(L"关于（A）"));
    const HWND about = velquin_->WaitForWindow(L"#32770", L"关于(About)");
    ASSERT_NE(about, nullptr);
    bool textFound = false;
    for (HWND child : Children(about)) {
        textFound |= WindowText(child) ==
                     L"<<<< Velquin >>>>\r\n\r\n　Orlimo制作  orlimo.example\r\n\r\n将需要扫描的程序拖到本工具窗口即可";
    }
    EXPECT_TRUE(textFound);
    for (HWND child : Children(about)) {
        const bool icon = ClassName(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (icon) {
            EXPECT_EQ(SendMessageW(child, STM_GETICON, 0, 0), 0) << "the About box shows no icon";
        }
    }
    EXPECT_FALSE(IsWindowEnabled(main_)) << "modal: the main window takes no input";
    EXPECT_EQ(WindowFromPoint(Centre(ScreenRect(FindControl(about, L"Button")))), FindControl(about, L"Button"))
        << "the box lies above the topmost main window, within reach of the mouse";
    Click(FindControl(about, L"Button"));
    EXPECT_TRUE(DialogsClosed());
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
}

}  // namespace
