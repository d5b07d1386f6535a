// A shown gallery form for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/ui/Application.h"
#include "tests/controls/DesignFormFixture.h"
#include "tests/controls/GalleryForm.h"
#include "tests/support/Capture.h"

class GalleryTest : public ShownFormTest<TGalleryForm> {
protected:
    void SetUp() override
    {
        Form = new TGalleryForm(Application);
        ShowForm();
    }
    static std::string WindowText(HWND Wnd)
    {
        char Buffer[512] = {};
        GetWindowTextA(Wnd, Buffer, sizeof Buffer);
        return Buffer;
    }
};
