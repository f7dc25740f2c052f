#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "skin/SkinFormat.h"
#include "skin/engine/Gdi.h"

// The skin attached to one thread, with the brushes its windows answer
// WM_CTLCOLOR* with. Windows only ever run on their own thread, so each
// subclass procedure finds its skin through the thread it runs on.
struct ThreadSkin {
  explicit ThreadSkin(const SkinLook& look)
      : look(look),
        face(look.Color(SkinColor::WindowFace)),
        editBack(look.Color(SkinColor::EditBack)) {}

  // From the process heap, not the C++ runtime's; null when it is full.
  static void* operator new(std::size_t size) noexcept { return HeapAlloc(GetProcessHeap(), 0, size); }
  static void operator delete(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
  }

  SkinLook look;
  SolidBrush face;
  SolidBrush editBack;
};

// The calling thread's skin; null until a skin is attached on it.
const ThreadSkin* CurrentThreadSkin();

// Gives the calling thread's existing windows and every window it creates from
// now on the skin's look. A second attach replaces the skin.
bool AttachSkinToThread(const SkinLook& look);

// Repaints a window now, whatever the control drew on its own.
inline void RepaintNow(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// The subclass procedures, one per kind of skinned window.
LRESULT CALLBACK SurfaceProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR isFace);
LRESULT CALLBACK PushButtonProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
LRESULT CALLBACK GroupBoxProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
LRESULT CALLBACK ProgressBarProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
LRESULT CALLBACK EditFrameProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

// Paints the border of a control's non-client area: the outer pixel in `border`,
// any wider edge inside it in `inside`.
void PaintFlatBorder(HWND window, COLORREF border, COLORREF inside);
