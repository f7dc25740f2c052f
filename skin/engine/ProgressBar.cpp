// Horizontal progress bars: flat border, flat track and the done part in
// separate blocks (one solid bar for PBS_SMOOTH).

#include <algorithm>

#include "skin/engine/ThreadSkin.h"

namespace {

void PaintProgressBar(HWND bar, HDC dc, const SkinLook& skin) {
  RECT client;
  GetClientRect(bar, &client);
  FillSolid(dc, client, skin.Color(SkinColor::ProgressBack));

  int low = static_cast<int>(SendMessageW(bar, PBM_GETRANGE, TRUE, 0));
  int high = static_cast<int>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
  int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  if (high <= low) return;
  // One pixel of track stays around the blocks so they never touch the border.
  RECT track = client;
  InflateRect(&track, -1, -1);
  int width = track.right - track.left;
  int done = std::clamp(MulDiv(position - low, width, high - low), 0, width);
  COLORREF color = skin.Color(SkinColor::ProgressBar);
  if (GetWindowLongW(bar, GWL_STYLE) & PBS_SMOOTH) {
    FillSolid(dc, {track.left, track.top, track.left + done, track.bottom}, color);
    return;
  }
  int block = skin.Metric(SkinMetric::ProgressBlock);
  int step = block + skin.Metric(SkinMetric::ProgressGap);
  for (int x = track.left; x < track.left + done; x += step)
    FillSolid(dc, {x, track.top, std::min<int>(x + block, track.right), track.bottom}, color);
}

bool MovesBar(UINT message) {
  switch (message) {
    case PBM_SETPOS: case PBM_DELTAPOS: case PBM_STEPIT:
    case PBM_SETRANGE: case PBM_SETRANGE32: case PBM_SETSTATE:
      return true;
    default:
      return false;
  }
}

}  // namespace

LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  const ThreadSkin* skin = CurrentThreadSkin();
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(bar, &paint);
      PaintProgressBar(bar, dc, skin->look);
      EndPaint(bar, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintProgressBar(bar, reinterpret_cast<HDC>(wParam), skin->look);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      DefSubclassProc(bar, message, wParam, lParam);
      PaintFlatBorder(bar, skin->look.Color(SkinColor::ProgressBorder), skin->look.Color(SkinColor::ProgressBack));
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(bar, ProgressBarProc, 0);
      break;
  }
  LRESULT result = DefSubclassProc(bar, message, wParam, lParam);
  if (MovesBar(message)) InvalidateRect(bar, nullptr, FALSE);
  return result;
}
