#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Drives the real Velquin.exe from another process the way a user would: real
// mouse clicks and key presses through SendInput, and reading back what the
// program shows (window state, the report box's text, the clipboard, files).
namespace driver {

// Polls condition until it holds or timeoutMs has passed; true if it held.
// Everything the program does in answer to input happens in another process,
// so there is no event to wait on: the condition is the event.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// A path given relative to the folder of the running test program.
std::wstring PathBesideThisTest(const std::wstring& relativePath);

// One run of the program built beside this test program.
class VelquinProcess {
public:
    // Starts Velquin.exe and waits until its main window is shown; null (with
    // a message on stderr) if it does not appear.
    static std::unique_ptr<VelquinProcess> Start(DWORD timeoutMs = 20000);
    ~VelquinProcess();  // ends the program if it is still running

    DWORD ProcessId() const { return processId_; }
    HWND MainWindow() const { return mainWindow_; }
    bool IsRunning() const;
    // The exit code once the process has ended within timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000) const;
    // How many times the program's exit routine has run (it writes one line
    // to the file named by VELQUIN_EXIT_MARKER each time).
    int ExitRoutineRuns() const;
    // Returns once the program's user-interface thread takes messages again:
    // whatever a click started (a save, say) has finished or is showing a box.
    bool WaitUntilIdle(DWORD timeoutMs = 10000) const;

    // A visible top-level window of the program with the given class (and
    // caption, when given) other than the main window, e.g. a message box or
    // the save dialog ("#32770"); null if none appears within timeoutMs.
    HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* caption = nullptr, DWORD timeoutMs = 10000) const;
    // Every visible top-level window of the program.
    std::vector<HWND> TopLevelWindows() const;

private:
    VelquinProcess() = default;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
    std::wstring exitMarker_;
};

// Windows and controls.
std::vector<HWND> Children(HWND parent);
// The first visible child (any depth) of the class, with exactly that text
// when given.
HWND FindControl(HWND parent, const wchar_t* windowClass, const wchar_t* text = nullptr);
std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
RECT ScreenRect(HWND window);
// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
POINT Centre(const RECT& rect);
// The window that has the keyboard focus in the thread that owns window.
HWND FocusIn(HWND window);

// Input, as the user makes it.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
void Click(HWND window);  // the centre of the window
// Presses vk with the modifier keys held (VK_SHIFT, VK_CONTROL, VK_MENU).
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});
// Types the characters as keyboard input; "\n" is the Enter key.
void TypeText(const std::wstring& text);
// The screen point of the close box on a window's title bar.
std::optional<POINT> CloseBoxPoint(HWND window);

// The clipboard: the bytes of a text format up to its terminating zero; empty
// optional when the format is absent.
std::optional<std::string> ClipboardText(UINT format);
void EmptyTheClipboard();

// Files.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// A new empty folder in the temporary folder; removed with its files by the
// returned object's destructor.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::vector<std::wstring> FileNames() const;

private:
    std::wstring path_;
};

// The bytes of the text in code page 936, for expected values.
std::string Gbk(const std::wstring& text);

}  // namespace driver
