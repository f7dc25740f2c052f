#include "app/MainWindow.h"

#include <commctrl.h>

#include "app/ProgramTexts.h"
#include "app/resource.h"

namespace {

enum ControlId : int {
    kAboutButton = 101,
    kExitButton,
    kSaveButton,
    kCopyButton,
    kClearButton,
    kProgressBar,
    kReportBox,
    kGroupBox,
};

struct ControlLayout {
    const wchar_t* name;
    ControlId id;
    const wchar_t* windowClass;
    DWORD style;
    int left, top, width, height;
    const wchar_t* text;
};

// Every control clips its siblings: the group box overlaps the progress bar and
// the buttons and must not paint over them.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
constexpr DWORD kReportBoxStyle = kChild | WS_TABSTOP | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_LEFT |
                                  ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL;

// In creation order, which is also the tab order. The group box comes last, so
// it lies beneath everything it overlaps; it reaches past the client area's
// right and bottom edges, leaving only its caption and the left of its top
// edge visible, on the line of the progress bar.
constexpr ControlLayout kControls[] = {
    {L"按钮1", kAboutButton, WC_BUTTONW, kButton, 25, 205, 72, 24, texts::AboutButton},
    {L"退出", kExitButton, WC_BUTTONW, kButton, 408, 204, 72, 24, texts::ExitButton},
    {L"保存", kSaveButton, WC_BUTTONW, kButton, 312, 204, 72, 24, texts::SaveButton},
    {L"复制", kCopyButton, WC_BUTTONW, kButton, 216, 204, 72, 24, texts::CopyButton},
    {L"清除", kClearButton, WC_BUTTONW, kButton, 120, 204, 72, 24, texts::ClearButton},
    {L"进度条1", kProgressBar, PROGRESS_CLASSW, kChild | WS_BORDER, 120, 232, 374, 15, L""},
    {L"编辑框1", kReportBox, WC_EDITW, kReportBoxStyle, 5, 8, 488, 192, L""},
    {L"分组框1", kGroupBox, WC_BUTTONW, kChild | BS_GROUPBOX, 5, 232, 600, 100, texts::GroupBoxCaption},
};

constexpr int kOuterWidth = 505;
constexpr int kOuterHeight = 276;

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELQUIN));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VELQUIN), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MainWindow::kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow* MainWindow::Create(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClass(instance, WindowProcedure)) return nullptr;

    // Lives until the process ends: the worker may still call the window
    // operations while the program is ending.
    auto* mainWindow = new MainWindow;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kOuterWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kOuterHeight) / 2;
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, texts::MainWindowCaption,
                                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, left, top,
                                        kOuterWidth, kOuterHeight, nullptr, nullptr, instance, mainWindow);
    if (!window) {
        delete mainWindow;
        return nullptr;
    }
    return mainWindow;
}

void MainWindow::Show() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnButtonClicked(LOWORD(wParam));
        return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool MainWindow::OnCreate() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlLayout& control : kControls) {
        const HWND child = CreateWindowExW(0, control.windowClass, control.text, control.style, control.left,
                                           control.top, control.width, control.height, window_,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance,
                                           nullptr);
        if (!child) return false;
        SendMessageW(child, WM_SETFONT, font, FALSE);
    }
    const HWND reportBox = GetDlgItem(window_, kReportBox);
    // Zero raises the limit to the largest the edit control allows, far past
    // the default 32,767 characters.
    SendMessageW(reportBox, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(GetDlgItem(window_, kProgressBar), PBM_SETRANGE32, 0, 100);
    report_.Attach(reportBox, GetDlgItem(window_, kProgressBar));
    commands_ = std::make_unique<Commands>(window_, report_);
    return true;
}

void MainWindow::OnButtonClicked(int controlId) {
    switch (controlId) {
    case kAboutButton: commands_->OnAboutClicked(); break;
    case kClearButton: commands_->OnClearClicked(); break;
    case kCopyButton: commands_->OnCopyClicked(); break;
    case kSaveButton: commands_->OnSaveClicked(); break;
    case kExitButton: commands_->OnExitClicked();
    }
}

// Like a dialog, the window hands the focus back to the control that had it
// when the user returns, or to the first tab stop. A control that already has
// the focus keeps it: under X11 the activation can arrive after the click that
// caused it, and must not pull the focus away from the control clicked.
void MainWindow::OnActivate(bool active) {
    const HWND focus = GetFocus();
    const bool focusInside = focus && IsChild(window_, focus);
    if (!active) {
        if (focusInside) lastFocus_ = focus;
        return;
    }
    if (focusInside) return;
    SetFocus(lastFocus_ ? lastFocus_ : GetNextDlgTabItem(window_, nullptr, FALSE));
}

void MainWindow::OnDestroy() {
    // A worker still writing now finds no window and its calls do nothing.
    report_.Detach();
    PostQuitMessage(0);
}

bool MainWindow::HandleNavigationKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    switch (message.wParam) {
    case VK_TAB:
        if (control || alt) return false;
        OnTabPressed(shift);
        return true;
    case VK_ESCAPE:
        if (shift || control || alt) return false;
        OnEscapePressed();
        return true;
    }
    return false;
}

void MainWindow::OnTabPressed(bool backwards) {
    const HWND focus = GetFocus();
    const HWND from = focus && IsChild(window_, focus) ? focus : nullptr;
    if (const HWND next = GetNextDlgTabItem(window_, from, backwards)) SetFocus(next);
}

void MainWindow::OnEscapePressed() { SendMessageW(window_, WM_CLOSE, 0, 0); }
