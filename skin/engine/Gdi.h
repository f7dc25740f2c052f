#pragma once
#include <windows.h>

// A solid brush that lives as long as the object.
class SolidBrush {
 public:
  explicit SolidBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
  ~SolidBrush() { DeleteObject(brush_); }
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

// Selects an object into a DC and puts the old one back at the end of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() { if (old_) SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

inline void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  SolidBrush brush(color);
  FillRect(dc, &rect, brush.get());
}

// A one-pixel frame just inside the rectangle.
inline void FrameSolid(HDC dc, const RECT& rect, COLORREF color) {
  SolidBrush brush(color);
  FrameRect(dc, &rect, brush.get());
}
