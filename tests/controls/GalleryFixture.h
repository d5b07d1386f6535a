// A shown gallery form for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/ui/Application.h"
#include "tests/controls/GalleryForm.h"
#include "tests/controls/Input.h"
#include "tests/support/Capture.h"

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = new TGalleryForm(Application);
        Form->Show();
        SetForegroundWindow(Form->Handle());
        AppPumpFor(300);
    }
    void TearDown() override
    {
        delete Form;
        AppPumpFor(50);
    }
    static std::string WindowText(HWND Wnd)
    {
        char Buffer[512] = {};
        GetWindowTextA(Wnd, Buffer, sizeof Buffer);
        return Buffer;
    }
    TGalleryForm* Form = nullptr;
};
