// Top-level windows and dialogs: their background and the colours their
// child controls ask for through WM_CTLCOLOR*.

#include "skin/engine/ThreadSkin.h"

LRESULT CALLBACK SurfaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR isFace) {
  const ThreadSkin* skin = CurrentThreadSkin();
  auto dc = reinterpret_cast<HDC>(wParam);
  switch (message) {
    case WM_ERASEBKGND: {
      if (!isFace) break;
      RECT client;
      GetClientRect(window, &client);
      FillRect(dc, &client, skin->face.get());
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      SetTextColor(dc, skin->look.Color(SkinColor::WindowText));
      SetBkColor(dc, skin->look.Color(SkinColor::WindowFace));
      return reinterpret_cast<LRESULT>(skin->face.get());
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetTextColor(dc, skin->look.Color(SkinColor::EditText));
      SetBkColor(dc, skin->look.Color(SkinColor::EditBack));
      return reinterpret_cast<LRESULT>(skin->editBack.get());
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, SurfaceProc, 0);
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}
