#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "VelquinDriver.h"
#include "app/SaveReport.h"

using namespace driver;

namespace {

// A fresh folder of its own for each test, removed with everything in it.
class SaveReportTest : public testing::Test {
protected:
    std::wstring Path(const std::wstring& name) const { return folder_.File(name); }
    std::vector<std::wstring> Files() const { return folder_.FileNames(); }
    static std::string Read(const std::wstring& path) { return ReadFileBytes(path).value_or("<no file>"); }
    static void Write(const std::wstring& path, const std::string& bytes) { WriteFileBytes(path, bytes); }

    ScratchFolder folder_;
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
