// skin_demo: a window laid out like Velquin's, with the skin attached the way
// Velquin attaches it. The program-level skin tests drive it, and it shows the
// skin while the real window is elsewhere.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "app/AttachSkin.h"

namespace {

enum ControlId { kAbout = 101, kExit, kSave, kCopy, kClear, kProgress, kReport, kGroup };

struct ControlSpec {
  const wchar_t* className;
  int id, left, top, width, height;
  DWORD style;
  const wchar_t* text;
};

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
const ControlSpec kControls[] = {
    {L"Button", kAbout, 25, 205, 72, 24, kButton, L"关于（A）"},
    {L"Button", kExit, 408, 204, 72, 24, kButton, L"退出（E)"},
    {L"Button", kSave, 312, 204, 72, 24, kButton, L"保存(S)"},
    {L"Button", kCopy, 216, 204, 72, 24, kButton, L"复制(C)"},
    {L"Button", kClear, 120, 204, 72, 24, kButton, L"清除(X)"},
    {PROGRESS_CLASSW, kProgress, 120, 232, 374, 15, WS_CHILD | WS_VISIBLE | WS_BORDER, L""},
    {L"Edit", kReport, 5, 8, 488, 192,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
         ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL,
     L""},
    {L"Button", kGroup, 5, 229, 600, 100, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, L"2014·Orlimo "},
};

void CreateControls(HWND window) {
  auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlSpec& c : kControls) {
    HWND control = CreateWindowExW(0, c.className, c.text, c.style, c.left, c.top, c.width, c.height, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, font, FALSE);
  }
  SendDlgItemMessageW(window, kProgress, PBM_SETPOS, 57, 0);
  SetDlgItemTextW(window, kReport, L"C:\\demo\\file.bin\r\nMD5: 0123456789ABCDEF0123456789ABCDEF\r\n");
}

void ShowSaveDialog(HWND owner) {
  wchar_t path[MAX_PATH] = L"";
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"文本文件(*.txt)\0*.txt\0\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
  GetSaveFileNameW(&dialog);
}

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAbout: MessageBoxW(nullptr, L"<<<< Velquin >>>>", L"关于(About)", MB_TASKMODAL); return 0;
        case kSave: ShowSaveDialog(window); return 0;
        case kExit: case IDCANCEL: DestroyWindow(window); return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DemoProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = L"VelquinSkinDemo";
  RegisterClassW(&windowClass);
  int left = (GetSystemMetrics(SM_CXSCREEN) - 505) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 276) / 2;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Velquin skin demo",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, left, top, 505, 276, nullptr,
                                nullptr, instance, nullptr);
  CreateControls(window);
  AttachSkin();
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
