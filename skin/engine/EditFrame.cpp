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

LRESULT CALLBACK EditFrameProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_NCPAINT: {
      const Skin& skin = CurrentThreadSkin()->skin;
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
