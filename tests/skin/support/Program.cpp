#include "support/Program.h"

#include <psapi.h>

RunningProgram::RunningProgram(const std::wstring& exe) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                     &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
  }
}

RunningProgram::~RunningProgram() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

namespace {

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM context) {
  auto search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  WindowSearch search = {processId, {}};
  EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, HWND except, DWORD timeoutMs) const {
  if (!process_) return nullptr;
  DWORD start = GetTickCount();
  do {
    for (HWND window : VisibleWindowsOf(id_)) {
      wchar_t name[64] = {};
      GetClassNameW(window, name, 64);
      if (window != except && (!className || std::wstring(name) == className)) return window;
    }
    // The program's end is the other thing worth waking for.
    if (WaitForSingleObject(process_, 20) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool RunningProgram::WaitUntilWindowGone(HWND window, DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (GetTickCount() - start >= timeoutMs) return false;
    WaitForSingleObject(process_, 20);
  }
  return true;
}

DWORD RunningProgram::WaitForExit(DWORD timeoutMs) const {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

bool RunningProgram::HasModuleNamed(const std::wstring& fileName) const {
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(process_, modules, sizeof modules, &bytes)) return false;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameExW(process_, modules[i], path, MAX_PATH);
    std::wstring name(path);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    if (CompareStringOrdinal(name.c_str(), -1, fileName.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
  }
  return false;
}

std::wstring AllTextOf(HWND window) {
  auto textOf = [](HWND w) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
  };
  std::wstring all = textOf(window);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    all += L"\n" + textOf(child);
  return all;
}

std::vector<std::uint8_t> ResourceOf(const std::wstring& exe, const wchar_t* name) {
  std::vector<std::uint8_t> bytes;
  HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!image) return bytes;
  HRSRC found = FindResourceW(image, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(image, found) : nullptr;
  if (auto data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr))
    bytes.assign(data, data + SizeofResource(image, found));
  FreeLibrary(image);
  return bytes;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}
