// Flat push buttons: one face, border and text colour per state, and a
// thread-wide "hot" button that follows the mouse.

#include "skin/engine/ThreadSkin.h"
#include "skin/engine/ThreadSlot.h"
#include "skin/engine/WindowText.h"

namespace {

ThreadSlot<HWND> s_hotButton;

bool IsPlainPushButton(HWND button) {
  LONG style = GetWindowLongW(button, GWL_STYLE);
  LONG type = style & BS_TYPEMASK;
  return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && !(style & (BS_BITMAP | BS_ICON));
}

ButtonState StateOf(HWND button) {
  if (!IsWindowEnabled(button)) return ButtonState::Disabled;
  if (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) return ButtonState::Pressed;
  if (button == s_hotButton.get()) return ButtonState::Hot;
  // A dialog's default button shows what Enter would press, as the focused one does.
  bool isDefault = (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (GetFocus() == button || isDefault) return ButtonState::Focused;
  return ButtonState::Normal;
}

void PaintPushButton(HWND button, HDC dc, const SkinLook& skin) {
  ButtonState state = StateOf(button);
  RECT rect;
  GetClientRect(button, &rect);
  FillSolid(dc, rect, skin.ButtonColor(state, ButtonPart::Face));
  FrameSolid(dc, rect, skin.ButtonColor(state, ButtonPart::Border));

  WindowText text(button);
  SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, skin.ButtonColor(state, ButtonPart::Text));
  UINT format = DT_CENTER;
  if (SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  InflateRect(&rect, -2, -2);
  if (GetWindowLongW(button, GWL_STYLE) & BS_MULTILINE) {
    RECT measured = rect;
    DrawTextW(dc, text.c_str(), -1, &measured, format | DT_WORDBREAK | DT_CALCRECT);
    OffsetRect(&rect, 0, ((rect.bottom - rect.top) - (measured.bottom - measured.top)) / 2);
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_WORDBREAK);
  } else {
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_VCENTER | DT_SINGLELINE);
  }
}

void SetHotButton(HWND button) {
  HWND previous = s_hotButton.get();
  if (previous == button) return;
  s_hotButton.set(button);
  if (previous && IsWindow(previous)) RepaintNow(previous);
  if (button) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, button, 0};
    TrackMouseEvent(&track);
    RepaintNow(button);
  }
}

// The button control paints straight onto the screen when these change its
// state, so the skin paints over it as soon as it has.
bool ChangesLook(UINT message) {
  switch (message) {
    case BM_SETSTATE: case BM_SETSTYLE: case BM_SETCHECK:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE:
    case WM_SETTEXT: case WM_SETFONT: case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_CAPTURECHANGED:
    case WM_KEYDOWN: case WM_KEYUP:
      return true;
    default:
      return false;
  }
}

}  // namespace

LRESULT CALLBACK PushButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  const ThreadSkin* skin = CurrentThreadSkin();
  if (message == WM_NCDESTROY) {
    if (s_hotButton.get() == button) s_hotButton.set(nullptr);
    RemoveWindowSubclass(button, PushButtonProc, 0);
    return DefSubclassProc(button, message, wParam, lParam);
  }
  if (!IsPlainPushButton(button)) return DefSubclassProc(button, message, wParam, lParam);

  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(button, &paint);
      PaintPushButton(button, dc, skin->look);
      EndPaint(button, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintPushButton(button, reinterpret_cast<HDC>(wParam), skin->look);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      SetHotButton(button);
      break;
    case WM_MOUSELEAVE:
      if (s_hotButton.get() == button) SetHotButton(nullptr);
      break;
  }
  LRESULT result = DefSubclassProc(button, message, wParam, lParam);
  if (ChangesLook(message) && IsWindow(button)) RepaintNow(button);
  return result;
}
