// Fixtures for a shown form per test; DesignFormTest reads it from design text and shows it
// once the test has set its handlers.
#pragma once

#include <gtest/gtest.h>

#include "framework/design/DesignReader.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/StandardControls.h"
#include "tests/controls/Input.h"

// Form (of class F, made by the test) shown and active until the test ends, then freed.
template<class F>
class ShownFormTest : public ::testing::Test {
protected:
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

    F* Form = nullptr;
};

class DesignFormTest : public ShownFormTest<TForm> {
protected:
    void ReadForm(const char* Design, const char* Name)
    {
        RegisterStandardControls();
        Form = new TForm(Application);
        ReadComponentText(Design, Form, Name);
    }
    // The form's control of that name and class; a failure when there is none.
    template<class T>
    T* Find(const char* Name)
    {
        auto* C = dynamic_cast<T*>(Form->FindComponent(Name));
        EXPECT_NE(C, nullptr) << Name;
        return C;
    }
};
