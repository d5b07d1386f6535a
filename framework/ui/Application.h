// TApplication: the program's message loop, its hidden window (class "TApplication"),
// its title, its forms (the first one created is the main form) and its error box.
#pragma once

#include <exception>
#include <memory>
#include <string>

#include "framework/ui/Thunk.h"
#include "framework/core/Component.h"

class TCustomForm;

using TExceptionEvent = TDelegate<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
    PANTREL_CLASS(TApplication, TComponent)
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize();
    // The hidden application window, made on first use.
    HWND Handle();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value);
    TCustomForm* MainForm() const { return FMainForm; }

    // Creates a form owned by the application; the first becomes the main form.
    template<class T>
    void CreateForm(T*& Reference)
    {
        T* Form = new T(this);
        Reference = Form;
        FormCreated(Form);
    }
    // Shows the main form and handles messages until the application terminates.
    void Run();
    // The message loop ends at its next turn (a quit message is posted).
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every message waiting now.
    void ProcessMessages();
    // Handles one message, waiting for one when none is there.
    void HandleMessage();

    // Inside a catch block: hands the exception to OnException, or shows the error box.
    void HandleException(TObject* Sender);
    // The error box: a message box with the exception's message, the title as caption and
    // one OK button, modal to the thread's windows.
    void ShowException(const std::exception& E);
    TExceptionEvent OnException;

    // Called by forms.
    void FormCreated(TCustomForm* Form);
    void FormDestroyed(TCustomForm* Form);

private:
    bool ProcessMessage();
    bool IsKeyMsg(MSG& Msg);
    void WndProc(TMessage& Message);

    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    HWND FHandle = nullptr;
    TThunk FThunk;
};

extern TApplication* Application;
