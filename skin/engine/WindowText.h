#pragma once
#include <windows.h>

#include "skin/engine/HeapBlock.h"

// A window's text as it is now; empty when there is none or no room for it.
class WindowText {
 public:
  explicit WindowText(HWND window)
      : block_((static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1) * sizeof(wchar_t)) {
    if (block_) length_ = GetWindowTextW(window, chars(), static_cast<int>(block_.size() / sizeof(wchar_t)));
  }

  const wchar_t* c_str() const { return block_ ? chars() : L""; }
  bool empty() const { return length_ <= 0; }

 private:
  wchar_t* chars() const { return static_cast<wchar_t*>(block_.data()); }

  HeapBlock block_;
  int length_ = 0;
};
