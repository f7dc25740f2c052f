#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/SaveReport.h"

namespace {

// A fresh folder of its own for each test, removed with everything in it.
class SaveReportTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"velquin-save-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::wstring& name : Files()) {
            const std::wstring path = folder_ + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

    std::vector<std::wstring> Files() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    static std::string Read(const std::wstring& path) {
        std::ifstream file(std::filesystem::path(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static void Write(const std::wstring& path, const std::string& bytes) {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    }

    std::wstring folder_;
};

TEST_F(SaveReportTest, WritesExactlyTheBytesUnderTheNameGiven) {
    const std::string report = "\xce\xc4\xbc\xfe\r\nMD5: 0\r\n\r\n";
    ASSERT_TRUE(SaveReport(Path(L"report"), report));
    EXPECT_EQ(Read(Path(L"report")), report);
    EXPECT_EQ(Files(), std::vector<std::wstring>{L"report"}) << "no temporary file is left behind";
}

TEST_F(SaveReportTest, EmptyReportGivesAnEmptyFile) {
    ASSERT_TRUE(SaveReport(Path(L"empty.txt"), ""));
    EXPECT_EQ(Read(Path(L"empty.txt")), "");
}

TEST_F(SaveReportTest, ReplacesALongerFileWhole) {
    Write(Path(L"old.txt"), std::string(10000, 'x'));
    ASSERT_TRUE(SaveReport(Path(L"old.txt"), "short\r\n"));
    EXPECT_EQ(Read(Path(L"old.txt")), "short\r\n");
    EXPECT_EQ(Files().size(), 1u);
}

TEST_F(SaveReportTest, FailureLeavesTheExistingFileAsItWas) {
    Write(Path(L"kept.txt"), "earlier report\r\n");
    SetFileAttributesW(Path(L"kept.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SaveReport(Path(L"kept.txt"), "new report\r\n"));
    EXPECT_EQ(Read(Path(L"kept.txt")), "earlier report\r\n");
    EXPECT_EQ(Files(), std::vector<std::wstring>{L"kept.txt"});
}

TEST_F(SaveReportTest, NameAtTheLengthLimitCanBeSaved) {
    const std::wstring name(250, L'r');
    ASSERT_TRUE(SaveReport(Path(name), "long name"));
    EXPECT_EQ(Read(Path(name)), "long name");
}

TEST_F(SaveReportTest, MissingFolderFails) {
    EXPECT_FALSE(SaveReport(Path(L"no such folder\\report.txt"), "text"));
    EXPECT_TRUE(Files().empty());
}

}  // namespace
