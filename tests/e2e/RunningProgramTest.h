#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "VelquinDriver.h"

// Each test gets a fresh run of the program, with its main window and report
// box found and ready for input.
class RunningProgramTest : public testing::Test {
protected:
    void SetUp() override {
        velquin_ = driver::VelquinProcess::Start();
        ASSERT_NE(velquin_, nullptr);
        main_ = velquin_->MainWindow();
        reportBox_ = driver::FindControl(main_, L"Edit");
        ASSERT_NE(reportBox_, nullptr);
    }

    HWND Button(const wchar_t* caption) const { return driver::FindControl(main_, L"Button", caption); }

    std::unique_ptr<driver::VelquinProcess> velquin_;
    HWND main_ = nullptr;
    HWND reportBox_ = nullptr;
};
