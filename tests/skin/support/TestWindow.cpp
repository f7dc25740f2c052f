#include "support/TestWindow.h"

#include <commctrl.h>

namespace {

struct ControlSpec {
  const wchar_t* className;
  int id, left, top, width, height;
  DWORD style;
  const wchar_t* text;
};

const ControlSpec kControls[] = {
    {L"Button", TestWindow::kFirstButton, 10, 10, 100, 30, WS_TABSTOP | BS_PUSHBUTTON, L"First"},
    {L"Button", TestWindow::kSecondButton, 120, 10, 100, 30, WS_TABSTOP | BS_PUSHBUTTON, L"Second"},
    {L"Edit", TestWindow::kEdit, 10, 50, 200, 60, WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_WANTRETURN, L""},
    {PROGRESS_CLASSW, TestWindow::kProgress, 10, 120, 200, 20, WS_BORDER, L""},
    {L"Button", TestWindow::kGroup, 10, 150, 280, 45, BS_GROUPBOX, L"Group"},
};

const wchar_t kClassName[] = L"VelquinSkinTestWindow";

}  // namespace

TestWindow::TestWindow() {
  static const ATOM registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass);
  }();
  (void)registered;
  window_ = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Skin test", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                            nullptr, nullptr, nullptr, this);
  auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& c : kControls) {
    HWND control = CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.left, c.top, c.width,
                                   c.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr,
                                   nullptr);
    SendMessageW(control, WM_SETFONT, font, FALSE);
  }
  SendMessageW(control(kProgress), PBM_SETPOS, 50, 0);
  SetForegroundWindow(window_);
  PaintNow();
}

TestWindow::~TestWindow() { DestroyWindow(window_); }

void TestWindow::PaintNow() const {
  RedrawWindow(window_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COMMAND && self) {
    int id = LOWORD(wParam);
    if (id == IDCANCEL) ++self->cancels;
    if (HIWORD(wParam) == BN_CLICKED && id == kFirstButton) ++self->firstClicks;
    if (HIWORD(wParam) == BN_CLICKED && id == kSecondButton) ++self->secondClicks;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
