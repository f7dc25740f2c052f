#include "skin/engine/ThreadSkin.h"

#include <string_view>

#include "skin/engine/ThreadSlot.h"

namespace {

// One skin and one hook per thread. Both stay until the thread ends; the
// system removes a thread's hooks with it.
ThreadSlot<ThreadSkin*> s_skin;
ThreadSlot<HHOOK> s_hook;

enum class WindowKind { Surface, PushButton, GroupBox, ProgressBar, Edit, Other };

WindowKind KindOf(HWND window) {
  wchar_t name[32] = {};
  GetClassNameW(window, name, 32);
  LONG style = GetWindowLongW(window, GWL_STYLE);
  if (CompareStringOrdinal(name, -1, L"Button", -1, TRUE) == CSTR_EQUAL) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return (style & (BS_BITMAP | BS_ICON)) ? WindowKind::Other : WindowKind::PushButton;
      case BS_GROUPBOX:
        return WindowKind::GroupBox;
      default:
        return WindowKind::Other;
    }
  }
  if (CompareStringOrdinal(name, -1, PROGRESS_CLASSW, -1, TRUE) == CSTR_EQUAL)
    return (style & (PBS_VERTICAL | PBS_MARQUEE)) ? WindowKind::Other : WindowKind::ProgressBar;
  if (CompareStringOrdinal(name, -1, L"Edit", -1, TRUE) == CSTR_EQUAL) return WindowKind::Edit;
  // Top-level windows and dialogs are the surfaces controls sit on; hidden
  // message-only windows (OLE's, for one) are not on the desktop and stay as they are.
  bool onDesktop = !(style & WS_CHILD) && GetAncestor(window, GA_PARENT) == GetDesktopWindow();
  if (onDesktop || std::wstring_view(name) == L"#32770") return WindowKind::Surface;
  return WindowKind::Other;
}

// A surface is painted in the skin's face colour when it would otherwise show
// the system's face colour: dialogs, and windows whose class paints that colour.
bool HasFaceBackground(HWND window) {
  wchar_t name[8] = {};
  GetClassNameW(window, name, 8);
  if (std::wstring_view(name) == L"#32770") return true;
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND));
  return brush == reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1) || brush == GetSysColorBrush(COLOR_BTNFACE);
}

void SkinWindow(HWND window) {
  switch (KindOf(window)) {
    case WindowKind::Surface:
      SetWindowSubclass(window, SurfaceProc, 0, HasFaceBackground(window));
      break;
    case WindowKind::PushButton: SetWindowSubclass(window, PushButtonProc, 0, 0); break;
    case WindowKind::GroupBox: SetWindowSubclass(window, GroupBoxProc, 0, 0); break;
    case WindowKind::ProgressBar: SetWindowSubclass(window, ProgressBarProc, 0, 0); break;
    case WindowKind::Edit: SetWindowSubclass(window, EditFrameProc, 0, 0); break;
    case WindowKind::Other: break;
  }
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) SkinWindow(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK SkinChild(HWND child, LPARAM) {
  // EnumChildWindows also reaches children that other threads own; those
  // cannot be subclassed from here and are not ours to skin.
  if (GetWindowThreadProcessId(child, nullptr) == GetCurrentThreadId()) SkinWindow(child);
  return TRUE;
}

BOOL CALLBACK SkinTopLevel(HWND window, LPARAM) {
  SkinWindow(window);
  EnumChildWindows(window, SkinChild, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

// The thread's CBT hook, set once; false when the system refuses it.
bool HookThread() {
  if (s_hook.get()) return true;
  HHOOK hook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  if (hook && s_hook.set(hook)) return true;
  if (hook) UnhookWindowsHookEx(hook);
  return false;
}

}  // namespace

const ThreadSkin* CurrentThreadSkin() { return s_skin.get(); }

bool AttachSkinToThread(const SkinLook& look) {
  ThreadSkin* skin = new ThreadSkin(look);
  ThreadSkin* replaced = s_skin.get();
  // The skin is in place before the hook, whose windows look it up.
  if (!skin || !s_skin.set(skin) || !HookThread()) {
    s_skin.set(replaced);
    delete skin;
    return false;
  }
  delete replaced;
  EnumThreadWindows(GetCurrentThreadId(), SkinTopLevel, 0);
  return true;
}
