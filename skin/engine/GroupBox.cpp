// Group boxes: a one-pixel frame with the caption set into its top edge. The
// inside is left to the parent, as the plain control does.

#include "skin/engine/ThreadSkin.h"
#include "skin/engine/WindowText.h"

namespace {

bool IsGroupBox(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

void PaintGroupBox(HWND box, HDC dc, const ThreadSkin& skin) {
  RECT client;
  GetClientRect(box, &client);
  SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);

  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  FrameSolid(dc, frame, skin.look.Color(SkinColor::GroupFrame));

  WindowText text(box);
  if (text.empty()) return;
  // The caption starts where the plain control puts it, one character cell in.
  RECT caption = {client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
  DrawTextW(dc, text.c_str(), -1, &caption, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  RECT behindCaption = {caption.left - 2, frame.top, caption.right + 2, frame.top + 1};
  FillRect(dc, &behindCaption, skin.face.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, skin.look.Color(IsWindowEnabled(box) ? SkinColor::GroupText : SkinColor::ButtonDisabledText));
  DrawTextW(dc, text.c_str(), -1, &caption, DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  const ThreadSkin* skin = CurrentThreadSkin();
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(box, GroupBoxProc, 0);
  } else if (IsGroupBox(box)) {
    switch (message) {
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        PaintGroupBox(box, dc, *skin);
        EndPaint(box, &paint);
        return 0;
      }
      case WM_PRINTCLIENT:
        PaintGroupBox(box, reinterpret_cast<HDC>(wParam), *skin);
        return 0;
      case WM_SETTEXT:
      case WM_ENABLE: {
        LRESULT result = DefSubclassProc(box, message, wParam, lParam);
        RepaintNow(box);
        return result;
      }
    }
  }
  return DefSubclassProc(box, message, wParam, lParam);
}
