// Edit boxes take their colours from their parent's WM_CTLCOLOREDIT; here
// only their border is made flat.

#include <algorithm>

#include "skin/engine/ThreadSkin.h"

void PaintFlatBorder(HWND window, COLORREF border, COLORREF inside) {
  WINDOWINFO info = {};
  info.cbSize = sizeof info;
  if (!GetWindowInfo(window, &info)) return;
  int edge = std::min(info.rcClient.left - info.rcWindow.left, info.rcClient.top - info.rcWindow.top);
  if (edge <= 0) return;
  HDC dc = GetWindowDC(window);
  RECT ring = {0, 0, info.rcWindow.right - info.rcWindow.left, info.rcWindow.bottom - info.rcWindow.top};
  FrameSolid(dc, ring, border);
  for (int i = 1; i < edge; ++i) {
    InflateRect(&ring, -1, -1);
    FrameSolid(dc, ring, inside);
  }
  ReleaseDC(window, dc);
}

namespace {

// Wine's edit control takes WS_BORDER off its style and draws the border
// itself, inside its client area; what tells is a formatting rectangle set in
// from the top and by more than the margin on the left, with no edge outside.
bool DrawsBorderInsideClient(HWND edit) {
  WINDOWINFO info = {};
  info.cbSize = sizeof info;
  if (!GetWindowInfo(edit, &info) || info.rcClient.left != info.rcWindow.left) return false;
  RECT format = {};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  auto leftMargin = static_cast<LONG>(LOWORD(SendMessageW(edit, EM_GETMARGINS, 0, 0)));
  return format.top > 0 && format.left > leftMargin;
}

}  // namespace

LRESULT CALLBACK EditFrameProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_PAINT: {
      LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      if (DrawsBorderInsideClient(edit)) {
        RECT client;
        GetClientRect(edit, &client);
        HDC dc = GetDC(edit);
        FrameSolid(dc, client, CurrentThreadSkin()->look.Color(SkinColor::EditBorder));
        ReleaseDC(edit, dc);
      }
      return result;
    }
    case WM_NCPAINT: {
      const SkinLook& skin = CurrentThreadSkin()->look;
      DefSubclassProc(edit, message, wParam, lParam);
      PaintFlatBorder(edit, skin.Color(SkinColor::EditBorder), skin.Color(SkinColor::EditBack));
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, EditFrameProc, 0);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}
