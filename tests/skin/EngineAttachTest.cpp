// The engine in this process, reached as the program reaches it: the DLL's
// SkinH_AttachEx export. Each test runs on a thread of its own because a
// thread keeps its skin.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "support/Input.h"
#include "support/SkinTestSupport.h"
#include "support/TestWindow.h"

namespace {

using AttachEx = int(WINAPI*)(const char* skinPath, const char* key);

class SkinEngine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library_ = LoadLibraryW(Widen(VELQUIN_SKIN_ENGINE).c_str());
    FARPROC entry = library_ ? GetProcAddress(library_, "SkinH_AttachEx") : nullptr;
    attach_ = reinterpret_cast<AttachEx>(reinterpret_cast<void*>(entry));
  }
  static void TearDownTestSuite() { RemoveTempFiles(); }
  void SetUp() override {
    ASSERT_NE(attach_, nullptr) << "SkinH_AttachEx not exported by " << VELQUIN_SKIN_ENGINE;
    // The pointer rests away from the test window, so no button starts hot.
    SetCursorPos(0, 0);
  }

  static std::string SkinFile(const std::vector<std::uint8_t>& bytes) {
    std::wstring path = TempFilePath(L"skin.she");
    WriteBinaryFile(path, bytes);
    return std::string(path.begin(), path.end());
  }
  static std::string GoodSkinFile() { return SkinFile(*EncodeSkin(DistinctTestSkin())); }
  static int Attach(const std::string& path, const char* key = "") { return attach_(path.c_str(), key); }

  static inline HMODULE library_ = nullptr;
  static inline AttachEx attach_ = nullptr;
};

COLORREF Color(SkinColor role) { return DistinctTestSkin().Color(role); }

struct PixelProbe {
  const char* what;
  TestWindow::Id control;  // 0: the window itself
  bool frame;              // read through the whole-window DC
  int x, y;
};

COLORREF Read(const TestWindow& window, const PixelProbe& probe) {
  HWND target = probe.control ? window.control(probe.control) : window.window();
  return probe.frame ? FramePixel(target, probe.x, probe.y) : ClientPixel(target, probe.x, probe.y);
}

// Where each skinned part shows in TestWindow; the progress bar is at 50% with
// 6-pixel blocks and 3-pixel gaps, starting one pixel in.
const struct ProbeAndColor {
  PixelProbe probe;
  SkinColor color;
} kProbes[] = {
    {{"window face", TestWindow::Id{}, false, 250, 60}, SkinColor::WindowFace},
    {{"button face", TestWindow::kFirstButton, false, 4, 4}, SkinColor::ButtonFace},
    {{"button border", TestWindow::kFirstButton, false, 0, 0}, SkinColor::ButtonBorder},
    {{"edit background", TestWindow::kEdit, false, 150, 30}, SkinColor::EditBack},
    {{"edit border", TestWindow::kEdit, true, 0, 0}, SkinColor::EditBorder},
    {{"first progress block", TestWindow::kProgress, false, 3, 9}, SkinColor::ProgressBar},
    {{"gap after it", TestWindow::kProgress, false, 8, 9}, SkinColor::ProgressBack},
    {{"second block", TestWindow::kProgress, false, 11, 9}, SkinColor::ProgressBar},
    {{"track not yet done", TestWindow::kProgress, false, 180, 9}, SkinColor::ProgressBack},
    {{"progress border", TestWindow::kProgress, true, 0, 0}, SkinColor::ProgressBorder},
    {{"group box frame", TestWindow::kGroup, false, 0, 30}, SkinColor::GroupFrame},
};

TEST_F(SkinEngine, AttachedSkinPaintsEachControlInItsColours) {
  RunOnFreshThread([&] {
    TestWindow window;
    ASSERT_EQ(Attach(GoodSkinFile()), 0);
    window.PaintNow();
    for (const ProbeAndColor& p : kProbes) EXPECT_EQ(Read(window, p.probe), Color(p.color)) << p.probe.what;
  });
}

TEST_F(SkinEngine, WindowsCreatedAfterTheAttachAreSkinnedToo) {
  RunOnFreshThread([&] {
    ASSERT_EQ(Attach(GoodSkinFile(), "test"), 0);
    TestWindow window;
    window.PaintNow();
    for (const ProbeAndColor& p : kProbes) EXPECT_EQ(Read(window, p.probe), Color(p.color)) << p.probe.what;
  });
}

TEST_F(SkinEngine, PushButtonShowsEachStateInItsColours) {
  struct StateCase {
    const char* what;
    std::function<void(HWND button)> enter, leave;
    SkinColor face, border;
  };
  const StateCase cases[] = {
      {"focused", [](HWND b) { SetFocus(b); }, [](HWND b) { SetFocus(GetParent(b)); },
       SkinColor::ButtonFocusedFace, SkinColor::ButtonFocusedBorder},
      {"pressed", [](HWND b) { SendMessageW(b, BM_SETSTATE, TRUE, 0); },
       [](HWND b) { SendMessageW(b, BM_SETSTATE, FALSE, 0); }, SkinColor::ButtonPressedFace,
       SkinColor::ButtonPressedBorder},
      {"disabled", [](HWND b) { EnableWindow(b, FALSE); }, [](HWND b) { EnableWindow(b, TRUE); },
       SkinColor::ButtonDisabledFace, SkinColor::ButtonDisabledBorder},
      {"hot", [](HWND b) { POINT c = CentreOnScreen(b); SetCursorPos(c.x, c.y); },
       [](HWND) { SetCursorPos(0, 0); }, SkinColor::ButtonHotFace, SkinColor::ButtonHotBorder},
  };
  RunOnFreshThread([&] {
    TestWindow window;
    ASSERT_EQ(Attach(GoodSkinFile()), 0);
    HWND button = window.control(TestWindow::kFirstButton);
    auto shows = [&](SkinColor face, SkinColor border) {
      return PumpUntil([&] {
        return ClientPixel(button, 4, 4) == Color(face) && ClientPixel(button, 0, 0) == Color(border);
      }, 3000);
    };
    for (const StateCase& c : cases) {
      c.enter(button);
      EXPECT_TRUE(shows(c.face, c.border)) << c.what;
      c.leave(button);
      EXPECT_TRUE(shows(SkinColor::ButtonFace, SkinColor::ButtonBorder)) << "after " << c.what;
    }
  });
}

struct WindowSnapshot {
  std::vector<LONG_PTR> procedures;
  std::vector<COLORREF> pixels;
  bool operator==(const WindowSnapshot&) const = default;
};

WindowSnapshot Snapshot(const TestWindow& window) {
  window.PaintNow();
  WindowSnapshot snapshot;
  snapshot.procedures.push_back(GetWindowLongPtrW(window.window(), GWLP_WNDPROC));
  for (HWND child = GetWindow(window.window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    snapshot.procedures.push_back(GetWindowLongPtrW(child, GWLP_WNDPROC));
  for (const ProbeAndColor& p : kProbes) snapshot.pixels.push_back(Read(window, p.probe));
  return snapshot;
}

TEST_F(SkinEngine, RefusedSkinLeavesEveryWindowAsItWas) {
  std::vector<BadSkinFile> cases = BadSkinFiles();
  for (BadSkinFile& bad : cases) {
    std::string path = SkinFile(bad.bytes);
    RunOnFreshThread([&] {
      TestWindow window;
      WindowSnapshot before = Snapshot(window);
      EXPECT_NE(Attach(path, bad.key.c_str()), 0) << bad.what;
      EXPECT_EQ(Snapshot(window), before) << bad.what;
      // No hook either: a window made now is a plain one.
      TestWindow later;
      EXPECT_EQ(Snapshot(later), before) << bad.what;
    });
  }
  RunOnFreshThread([&] {
    TestWindow window;
    WindowSnapshot before = Snapshot(window);
    std::string missing = std::string(SkinFile({}).c_str()) + ".missing";
    EXPECT_NE(Attach(missing), 0);
    EXPECT_NE(attach_(nullptr, nullptr), 0);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    EXPECT_NE(Attach(folder), 0) << "a folder";
    EXPECT_EQ(Snapshot(window), before);
  });
}

struct Outcome {
  std::vector<int> focusAfterEachTab;
  std::wstring editText;
  int firstClicks = 0, secondClicks = 0, cancels = 0;
  bool operator==(const Outcome&) const = default;
};

// What a user's keys and clicks do in TestWindow, run as its message loop runs
// them, with IsDialogMessage.
Outcome Interact(const std::function<void()>& attachSkin) {
  Outcome outcome;
  RunOnFreshThread([&] {
    TestWindow window;
    attachSkin();
    HWND w = window.window();
    SetForegroundWindow(w);
    SetFocus(window.control(TestWindow::kFirstButton));
    for (KeyStroke tab : {KeyStroke{VK_TAB}, {VK_TAB}, {VK_TAB, true}}) {
      std::vector<INPUT> keys;
      AddKeyStroke(keys, tab);
      ASSERT_TRUE(SendInputAndSettle(keys, w));
      outcome.focusAfterEachTab.push_back(GetDlgCtrlID(GetFocus()));
    }
    std::vector<INPUT> typing;
    for (WORD key : {WORD('A'), WORD(VK_RETURN), WORD('B')}) AddKeyStroke(typing, {key});
    ASSERT_TRUE(SendInputAndSettle(typing, w));
    outcome.editText.resize(64);
    outcome.editText.resize(GetDlgItemTextW(w, TestWindow::kEdit, outcome.editText.data(), 64));

    SetFocus(window.control(TestWindow::kFirstButton));
    std::vector<INPUT> pressAndClick;
    AddKeyStroke(pressAndClick, {VK_SPACE});
    AddClick(pressAndClick, CentreOnScreen(window.control(TestWindow::kSecondButton)));
    AddKeyStroke(pressAndClick, {VK_ESCAPE});
    ASSERT_TRUE(SendInputAndSettle(pressAndClick, w));
    outcome.firstClicks = window.firstClicks;
    outcome.secondClicks = window.secondClicks;
    outcome.cancels = window.cancels;
  });
  return outcome;
}

TEST_F(SkinEngine, KeysAndClicksDoWhatTheyDoWithoutSkin) {
  Outcome plain = Interact([] {});
  std::string skin = GoodSkinFile();
  Outcome skinned = Interact([&] { ASSERT_EQ(Attach(skin), 0); });

  using Id = TestWindow::Id;
  // From the first button on: how Tab leaves a multi-line edit box is the
  // window's business and only has to stay the same.
  ASSERT_EQ(plain.focusAfterEachTab.size(), 3u);
  EXPECT_EQ(plain.focusAfterEachTab[0], Id::kSecondButton);
  EXPECT_EQ(plain.focusAfterEachTab[1], Id::kEdit);
  EXPECT_EQ(plain.editText, L"a\r\nb");
  EXPECT_EQ(plain.firstClicks, 1);
  EXPECT_EQ(plain.secondClicks, 1);
  EXPECT_EQ(plain.cancels, 1);
  EXPECT_EQ(skinned, plain);
}

}  // namespace
