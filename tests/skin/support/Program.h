#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A Windows program started from a test, ended at the end of the scope if it
// still runs.
class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& exe);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  // A visible top-level window of the program (of that class, if given, and
  // other than `except`); null when the program ends or the time runs out first.
  HWND WaitForWindow(const wchar_t* className = nullptr, HWND except = nullptr, DWORD timeoutMs = 20000) const;
  bool WaitUntilWindowGone(HWND window, DWORD timeoutMs = 10000) const;
  // The exit code, or STILL_ACTIVE when the time runs out.
  DWORD WaitForExit(DWORD timeoutMs = 10000) const;
  bool HasModuleNamed(const std::wstring& fileName) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Every visible top-level window the process owns.
std::vector<HWND> VisibleWindowsOf(DWORD processId);
// The window's text followed by its children's.
std::wstring AllTextOf(HWND window);
// An RCDATA resource of a program file, read without running it.
std::vector<std::uint8_t> ResourceOf(const std::wstring& exe, const wchar_t* name);
POINT ClientToScreenPoint(HWND window, int x, int y);
