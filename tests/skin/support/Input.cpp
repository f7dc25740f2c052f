#include "support/Input.h"

void AddKey(std::vector<INPUT>& inputs, WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  inputs.push_back(input);
}

void AddKeyStroke(std::vector<INPUT>& inputs, KeyStroke stroke) {
  if (stroke.shift) AddKey(inputs, VK_SHIFT, true);
  AddKey(inputs, stroke.key, true);
  AddKey(inputs, stroke.key, false);
  if (stroke.shift) AddKey(inputs, VK_SHIFT, false);
}

void AddClick(std::vector<INPUT>& inputs, POINT screen) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs.push_back(input);
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs.push_back(input);
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  inputs.push_back(input);
}

bool SendInputAndSettle(std::vector<INPUT> inputs, HWND dialog) {
  AddKeyStroke(inputs, {VK_F24});
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 5000) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_KEYUP && message.wParam == VK_F24) return true;
      if (dialog && IsDialogMessageW(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  }
  return false;
}

POINT CentreOnScreen(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
