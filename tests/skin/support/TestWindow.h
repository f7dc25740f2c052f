#pragma once
#include <windows.h>

// A top-level window on the calling thread with one control of each kind the
// skin draws. Destroyed with the object.
class TestWindow {
 public:
  // Clear of IDOK and IDCANCEL, which Enter and Esc send.
  enum Id { kFirstButton = 11, kSecondButton, kEdit, kProgress, kGroup };
  TestWindow();
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND window() const { return window_; }
  HWND control(Id id) const { return GetDlgItem(window_, id); }
  // Paints everything now, so pixels can be read back.
  void PaintNow() const;

  int firstClicks = 0;  // BN_CLICKED of each button
  int secondClicks = 0;
  int cancels = 0;      // IDCANCEL, what Esc gives a dialog-like window

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND window_ = nullptr;
};
