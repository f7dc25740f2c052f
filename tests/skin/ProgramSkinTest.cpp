// The program as a user starts it: the skin blocks it writes at every start,
// the library it loads, and the skin on its windows. Run against skin_demo
// (a window laid out like Velquin's that attaches the skin the same way) and
// against Velquin.exe itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "support/Input.h"
#include "support/Program.h"
#include "support/SkinTestSupport.h"

namespace {

const std::wstring kWrittenLibrary = L"C:\\Windows\\jedata.dll";
const std::wstring kWrittenSkin = L"C:\\Windows\\win8.she";

struct ProgramUnderTest {
  const char* name;
  const char* exe;
};

class ProgramFile : public ::testing::TestWithParam<ProgramUnderTest> {
 protected:
  void SetUp() override {
    exe_ = Widen(GetParam().exe);
    for (auto& c : exe_) if (c == L'/') c = L'\\';
  }

  std::wstring exe_;
};

class ProgramSkin : public ProgramFile {
 protected:
  void SetUp() override {
    ProgramFile::SetUp();
    // A build whose Velquin.exe is still the stand-in without a window has
    // nothing to attach the skin to yet.
    RunningProgram probe(exe_);
    HWND window = probe.WaitForWindow();
    if (!window && probe.WaitForExit(0) == 0) GTEST_SKIP() << GetParam().exe << " ends without a window";
    ASSERT_NE(window, nullptr) << "no window from " << GetParam().exe;
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(probe.WaitForExit(), 0u);
    SetCursorPos(0, 0);
  }
};

TEST_P(ProgramFile, CarriesTheEngineAndTheWin8SkinTheBuildMade) {
  std::vector<std::uint8_t> library = ResourceOf(exe_, L"SkinLibraryImage");
  std::vector<std::uint8_t> skin = ResourceOf(exe_, L"SkinFileData");
  ASSERT_GE(library.size(), 2u);
  EXPECT_EQ(library[0], 'M');
  EXPECT_EQ(library[1], 'Z');
  EXPECT_EQ(library, ReadBinaryFile(Widen(VELQUIN_SKIN_ENGINE)));
  EXPECT_EQ(skin, ReadBinaryFile(Widen(VELQUIN_WIN8_SKIN)));
  EXPECT_TRUE(DecodeSkin(skin, ""));
}

TEST_P(ProgramSkin, WritesBothBlocksIntoTheWindowsFolderAtEveryStart) {
  const std::vector<std::uint8_t> library = ResourceOf(exe_, L"SkinLibraryImage");
  const std::vector<std::uint8_t> skin = ResourceOf(exe_, L"SkinFileData");
  for (int start = 1; start <= 2; ++start) {
    ASSERT_TRUE(WriteBinaryFile(kWrittenLibrary, {'o', 'l', 'd'}));
    ASSERT_TRUE(WriteBinaryFile(kWrittenSkin, {'o', 'l', 'd'}));
    RunningProgram program(exe_);
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr) << "start " << start;
    EXPECT_EQ(ReadBinaryFile(kWrittenLibrary), library) << "start " << start;
    EXPECT_EQ(ReadBinaryFile(kWrittenSkin), skin) << "start " << start;
    EXPECT_TRUE(program.HasModuleNamed(L"jedata.dll"));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
}

TEST_P(ProgramSkin, StopsWithAnErrorBoxWhenTheLibraryBesideItLacksTheEntry) {
  std::wstring folder = TempFilePath(L"beside");
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring copy = folder + L"\\" + exe_.substr(exe_.find_last_of(L'\\') + 1);
  std::wstring entryless = folder + L"\\jedata.dll";
  ASSERT_TRUE(CopyFileW(exe_.c_str(), copy.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(Widen(ENTRYLESS_LIBRARY).c_str(), entryless.c_str(), FALSE));
  {
    RunningProgram program(copy);
    HWND box = program.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr);
    std::wstring text = AllTextOf(box);
    EXPECT_NE(text.find(L"jedata.dll"), std::wstring::npos) << "box says: " << std::string(text.begin(), text.end());
    EXPECT_NE(text.find(L"SkinH_AttachEx"), std::wstring::npos);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(VisibleWindowsOf(program.id()), std::vector<HWND>{box}) << "only the box shows";
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(program.WaitForExit(), static_cast<DWORD>(-1));
  }
  DeleteFileW(copy.c_str());
  DeleteFileW(entryless.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveTempFiles();
}

FILETIME LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

TEST_P(ProgramSkin, SecondCopyStartsAndAttachesWhileTheFirstRuns) {
  Skin win8 = *DecodeSkin(ReadBinaryFile(Widen(VELQUIN_WIN8_SKIN)), "");
  const std::vector<std::uint8_t> library = ResourceOf(exe_, L"SkinLibraryImage");
  RunningProgram first(exe_);
  HWND firstWindow = first.WaitForWindow();
  ASSERT_NE(firstWindow, nullptr);
  const FILETIME writtenByFirst = LastWriteTime(kWrittenLibrary);
  RunningProgram second(exe_);
  HWND secondWindow = second.WaitForWindow();
  ASSERT_NE(secondWindow, nullptr);
  // The first copy has the library loaded, so the second could not write it.
  const FILETIME afterSecond = LastWriteTime(kWrittenLibrary);
  EXPECT_EQ(CompareFileTime(&writtenByFirst, &afterSecond), 0);
  EXPECT_TRUE(first.HasModuleNamed(L"jedata.dll"));
  EXPECT_TRUE(second.HasModuleNamed(L"jedata.dll"));
  EXPECT_EQ(ReadBinaryFile(kWrittenLibrary), library);
  // The second window, on top, wears the skin.
  POINT face = ClientToScreenPoint(secondWindow, 2, 2);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(face) == win8.Color(SkinColor::WindowFace); }, 5000));
  PostMessageW(secondWindow, WM_CLOSE, 0, 0);
  PostMessageW(firstWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_EQ(first.WaitForExit(), 0u);
}

// Places on the main window (client coordinates, as laid out) and the skin
// colour each must show right after start: nothing hot, nothing pressed.
const struct {
  const char* what;
  int x, y;
  SkinColor color;
} kMainWindowProbes[] = {
    {"window face", 2, 2, SkinColor::WindowFace},
    {"Clear button face", 123, 207, SkinColor::ButtonFace},
    {"Clear button border", 120, 204, SkinColor::ButtonBorder},
    {"report box border", 5, 8, SkinColor::EditBorder},
    {"report box background", 300, 150, SkinColor::EditBack},
    {"progress bar border", 120, 232, SkinColor::ProgressBorder},
    {"progress track end", 490, 239, SkinColor::ProgressBack},
};

BOOL CALLBACK TakeFirstPushButton(HWND child, LPARAM result) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
  RECT rect;
  GetWindowRect(child, &rect);
  if (std::wstring(name) != L"Button" || !IsWindowVisible(child) || rect.right - rect.left < 8 ||
      rect.bottom - rect.top < 8 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
    return TRUE;
  *reinterpret_cast<RECT*>(result) = rect;
  return FALSE;
}

// The first push button of a dialog that shows, in screen coordinates.
RECT FirstButtonOf(HWND dialog) {
  RECT found = {};
  EnumChildWindows(dialog, TakeFirstPushButton, reinterpret_cast<LPARAM>(&found));
  return found;
}

void ExpectSkinnedDialog(const RunningProgram& program, HWND mainWindow, const Skin& win8, const char* what) {
  HWND dialog = program.WaitForWindow(L"#32770", mainWindow);
  ASSERT_NE(dialog, nullptr) << what;
  SetCursorPos(0, 0);
  POINT face = ClientToScreenPoint(dialog, 2, 2);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(face) == win8.Color(SkinColor::WindowFace); }, 5000)) << what;
  RECT button = FirstButtonOf(dialog);
  ASSERT_LT(button.left, button.right) << what << " has no push button";
  COLORREF buttonFace = 0;
  EXPECT_TRUE(PumpUntil([&] {
    buttonFace = ScreenPixel({button.left + 3, button.top + 3});
    return buttonFace == win8.ButtonColor(ButtonState::Normal, ButtonPart::Face) ||
           buttonFace == win8.ButtonColor(ButtonState::Focused, ButtonPart::Face);
  }, 5000)) << what << " button face " << std::hex << buttonFace;
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(program.WaitUntilWindowGone(dialog)) << what;
}

TEST_P(ProgramSkin, ShowsTheSkinOnItsWindowItsAboutBoxAndItsSaveDialog) {
  Skin win8 = *DecodeSkin(ReadBinaryFile(Widen(VELQUIN_WIN8_SKIN)), "");
  RunningProgram program(exe_);
  HWND window = program.WaitForWindow();
  ASSERT_NE(window, nullptr);
  auto shows = [&](const auto& probe) {
    return ScreenPixel(ClientToScreenPoint(window, probe.x, probe.y)) == win8.Color(probe.color);
  };
  // The controls paint after the window's background: wait for all of them.
  PumpUntil([&] { return std::all_of(std::begin(kMainWindowProbes), std::end(kMainWindowProbes), shows); }, 5000);
  for (const auto& probe : kMainWindowProbes)
    EXPECT_EQ(ScreenPixel(ClientToScreenPoint(window, probe.x, probe.y)), win8.Color(probe.color)) << probe.what;

  std::vector<INPUT> clickAbout;
  AddClick(clickAbout, ClientToScreenPoint(window, 25 + 36, 205 + 12));
  SendInput(static_cast<UINT>(clickAbout.size()), clickAbout.data(), sizeof(INPUT));
  ExpectSkinnedDialog(program, window, win8, "About box");

  std::vector<INPUT> clickSave;
  AddClick(clickSave, ClientToScreenPoint(window, 312 + 36, 204 + 12));
  SendInput(static_cast<UINT>(clickSave.size()), clickSave.data(), sizeof(INPUT));
  ExpectSkinnedDialog(program, window, win8, "save dialog");

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

const auto kPrograms = ::testing::Values(ProgramUnderTest{"SkinDemo", SKIN_DEMO_EXE},
                                         ProgramUnderTest{"Velquin", VELQUIN_EXE});
std::string ProgramName(const ::testing::TestParamInfo<ProgramUnderTest>& info) { return info.param.name; }
INSTANTIATE_TEST_SUITE_P(Programs, ProgramFile, kPrograms, ProgramName);
INSTANTIATE_TEST_SUITE_P(Programs, ProgramSkin, kPrograms, ProgramName);

}  // namespace
