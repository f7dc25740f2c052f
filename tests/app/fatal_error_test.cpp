// A fatal failure shows an error box with no owner and ends the process with
// exit code -1. Each case runs in a child process (this program again) so the
// failure can really end it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "VelquinDriver.h"
#include "app/FatalError.h"

namespace {

const char kChildMode[] = "VELQUIN_FATAL_CHILD";

// Runs only inside the child process that FatalErrorTest starts.
TEST(FatalErrorChild, Fails) {
    const char* mode = std::getenv(kChildMode);
    if (!mode) GTEST_SKIP() << "runs only as the child of FatalErrorTest";
    if (std::strcmp(mode, "cause") == 0) FatalError(L"无法找到例程 SkinH_AttachEx");
    if (std::strcmp(mode, "memory") == 0) {
        volatile std::size_t size = 0x7FFFFFF0;
        volatile char* memory = new char[size];
        memory[0] = 1;
    }
    FAIL() << "the process went on";
}

struct ChildProcess {
    PROCESS_INFORMATION info = {};
    explicit ChildProcess(const char* mode) {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_filter=FatalErrorChild.*";
        SetEnvironmentVariableA(kChildMode, mode);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
        SetEnvironmentVariableA(kChildMode, nullptr);
    }
    ~ChildProcess() {
        if (!info.hProcess) return;
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    HWND ErrorBox() const {
        HWND found = nullptr;
        driver::WaitUntil([&] {
            while ((found = FindWindowExW(nullptr, found, L"#32770", nullptr))) {
                DWORD processId = 0;
                GetWindowThreadProcessId(found, &processId);
                if (processId == info.dwProcessId && IsWindowVisible(found)) return true;
            }
            return false;
        });
        return found;
    }
};

TEST(FatalErrorTest, ShowsTheCauseThenEndsWithMinusOne) {
    const struct {
        const char* mode;
        const wchar_t* text;
    } cases[] = {
        {"cause", L"无法找到例程 SkinH_AttachEx"},
        {"memory", L"内存不足：无法分配 2147483632 字节。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ChildProcess child(c.mode);
        ASSERT_NE(child.info.hProcess, nullptr);
        const HWND box = child.ErrorBox();
        ASSERT_NE(box, nullptr) << "no error box";
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        EXPECT_EQ(driver::WindowText(box), L"Velquin");
        EXPECT_NE(driver::FindControl(box, L"Static", c.text), nullptr);
        bool iconShown = false;
        for (HWND child : driver::Children(box)) {
            const bool icon = driver::ClassName(child) == L"Static" &&
                              (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
            iconShown |= icon && SendMessageW(child, STM_GETICON, 0, 0) != 0;
        }
        EXPECT_TRUE(iconShown);
        HWND ok = driver::FindControl(box, L"Button", L"确定");
        if (!ok) ok = driver::FindControl(box, L"Button", L"OK");
        ASSERT_NE(ok, nullptr) << "an OK button";

        EXPECT_EQ(WaitForSingleObject(child.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
            << "the process waits for the box";
        driver::Click(ok);
        ASSERT_EQ(WaitForSingleObject(child.info.hProcess, 10000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(child.info.hProcess, &exitCode);
        EXPECT_EQ(exitCode, static_cast<DWORD>(-1));
    }
}

}  // namespace
