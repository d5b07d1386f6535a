// A form read from design text for each test, shown and active once its handlers are set,
// freed after the test.
#pragma once

#include <gtest/gtest.h>

#include "framework/design/DesignReader.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/StandardControls.h"
#include "tests/controls/Input.h"

class DesignFormTest : public ::testing::Test {
protected:
    void ReadForm(const char* Design, const char* Name)
    {
        RegisterStandardControls();
        Form = new TForm(Application);
        ReadComponentText(Design, Form, Name);
    }
    void ShowForm()
    {
        Form->Show();
        SetForegroundWindow(Form->Handle());
        AppPumpFor(300);
    }
    void TearDown() override
    {
        delete Form;
        AppPumpFor(50);
    }
    // The form's control of that name and class; a failure when there is none.
    template<class T>
    T* Find(const char* Name)
    {
        auto* C = dynamic_cast<T*>(Form->FindComponent(Name));
        EXPECT_NE(C, nullptr) << Name;
        return C;
    }

    TForm* Form = nullptr;
};
