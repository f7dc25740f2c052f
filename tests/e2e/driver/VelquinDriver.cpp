#include "VelquinDriver.h"

#include <cstdio>
#include <fstream>
#include <filesystem>
#include <iterator>

namespace driver {

namespace {

constexpr DWORD kPollMs = 10;

// Set by the build: where Velquin.exe lies relative to this test program.
std::wstring ProgramPath() { return PathBesideThisTest(VELQUIN_EXE_FROM_TEST); }

std::wstring NewExitMarkerPath() {
    static int count = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"velquin-exit-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++count) + L".txt";
}

DWORD WindowProcessId(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

}  // namespace

std::wstring PathBesideThisTest(const std::wstring& relativePath) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + relativePath;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(kPollMs);
    }
}

std::unique_ptr<VelquinProcess> VelquinProcess::Start(DWORD timeoutMs) {
    std::unique_ptr<VelquinProcess> run(new VelquinProcess);
    run->exitMarker_ = NewExitMarkerPath();
    DeleteFileW(run->exitMarker_.c_str());
    SetEnvironmentVariableW(L"VELQUIN_EXIT_MARKER", run->exitMarker_.c_str());

    std::wstring path = ProgramPath();
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", path.c_str(), GetLastError());
        return nullptr;
    }
    CloseHandle(info.hThread);
    run->process_ = info.hProcess;
    run->processId_ = info.dwProcessId;

    const bool shown = WaitUntil(
        [&] {
            HWND window = nullptr;
            while ((window = FindWindowExW(nullptr, window, L"VelquinMainWindow", nullptr))) {
                if (WindowProcessId(window) == run->processId_ && IsWindowVisible(window)) {
                    run->mainWindow_ = window;
                    return true;
                }
            }
            return !run->IsRunning();
        },
        timeoutMs);
    if (!shown || !run->mainWindow_) {
        std::fwprintf(stderr, L"Velquin's main window did not appear\n");
        return nullptr;
    }
    // Ready for the user: active, with the keyboard focus on one of its controls.
    const bool active = WaitUntil(
        [&] {
            const HWND focus = FocusIn(run->mainWindow_);
            return GetForegroundWindow() == run->mainWindow_ && focus && IsChild(run->mainWindow_, focus);
        },
        timeoutMs);
    // Input sent before the program takes messages again may meet a window
    // that X has not yet mapped and be lost.
    if (!active || !run->WaitUntilIdle(timeoutMs)) {
        std::fwprintf(stderr, L"Velquin's main window did not take the focus\n");
        return nullptr;
    }
    return run;
}

VelquinProcess::~VelquinProcess() {
    if (process_) {
        if (IsRunning()) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 10000);
        }
        CloseHandle(process_);
    }
    DeleteFileW(exitMarker_.c_str());
}

bool VelquinProcess::IsRunning() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> VelquinProcess::WaitForExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

int VelquinProcess::ExitRoutineRuns() const {
    const std::optional<std::string> marker = ReadFileBytes(exitMarker_);
    if (!marker) return 0;
    int lines = 0;
    for (char c : *marker) lines += c == '\n';
    return lines;
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> VelquinProcess::TopLevelWindows() const {
    std::vector<HWND> all, found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        if (WindowProcessId(window) == processId_ && IsWindowVisible(window)) found.push_back(window);
    }
    return found;
}

HWND VelquinProcess::WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows()) {
                if (window == mainWindow_ || ClassName(window) != windowClass) continue;
                if (caption && WindowText(window) != caption) continue;
                found = window;
                return true;
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool VelquinProcess::WaitUntilIdle(DWORD timeoutMs) const {
    // A sent message is handled only when the thread next takes messages.
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(mainWindow_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindControl(HWND parent, const wchar_t* windowClass, const wchar_t* text) {
    for (HWND child : Children(parent)) {
        if (!IsWindowVisible(child)) continue;
        if (_wcsicmp(ClassName(child).c_str(), windowClass) != 0) continue;
        if (text && WindowText(child) != text) continue;
        return child;
    }
    return nullptr;
}

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        5000, &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND control) {
    RECT rect = ScreenRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

HWND FocusIn(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void MoveMouseTo(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send({input});
}

void ClickAt(POINT screen) {
    MoveMouseTo(screen);
    INPUT down = {}, up = {};
    down.type = up.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send({down, up});
}

void Click(HWND window) {
    const POINT centre = Centre(ScreenRect(window));
    // A window closing or opening on top of it would take the click.
    WaitUntil([&] {
        const HWND hit = WindowFromPoint(centre);
        return hit == window || IsChild(window, hit);
    });
    ClickAt(centre);
}

void PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(vk, false));
    inputs.push_back(KeyInput(vk, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
        inputs.push_back(KeyInput(*modifier, true));
    }
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c == L'\n') {
            PressKey(VK_RETURN);
            continue;
        }
        INPUT down = {}, up = {};
        down.type = up.type = INPUT_KEYBOARD;
        down.ki.wScan = up.ki.wScan = c;
        down.ki.dwFlags = KEYEVENTF_UNICODE;
        up.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        Send({down, up});
    }
}

std::optional<POINT> CloseBoxPoint(HWND window) {
    const RECT frame = ScreenRect(window);
    for (int y = frame.top; y < frame.top + 40; y += 2) {
        for (int x = frame.right - 1; x > frame.right - 60; --x) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &hit);
            if (hit == HTCLOSE) return POINT{x - 2, y + 2};
        }
    }
    return std::nullopt;
}

std::optional<std::string> ClipboardText(UINT format) {
    std::optional<std::string> text;
    // Another process may hold the clipboard for a moment.
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return text;
    if (HANDLE data = GetClipboardData(format)) {
        const auto* bytes = static_cast<const char*>(GlobalLock(data));
        const std::size_t size = GlobalSize(data);
        const std::size_t unit = format == CF_UNICODETEXT ? sizeof(wchar_t) : 1;
        std::size_t length = 0;
        while (length + unit <= size && std::string(bytes + length, unit) != std::string(unit, '\0')) length += unit;
        text.emplace(bytes, length);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) return;
    EmptyClipboard();
    CloseClipboard();
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

ScratchFolder::ScratchFolder() {
    static int count = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"velquin-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++count);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    for (const std::wstring& name : FileNames()) {
        SetFileAttributesW(File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(File(name).c_str());
    }
    RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> ScratchFolder::FileNames() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::string Gbk(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace driver
