#include "framework/ui/Application.h"

#include <commctrl.h>

#include <vector>

#include "framework/core/Exception.h"
#include "framework/ui/Form.h"
#include "framework/ui/Screen.h"

TApplication* Application = new TApplication(nullptr);

namespace {

// The application and its forms go at program end, before the screen they are listed on.
struct TFinalizer {
    ~TFinalizer()
    {
        delete Application;
        Application = nullptr;
    }
} Finalizer;

void HandleThunkException()
{
    if (Application)
        Application->HandleException(Application);
}

BOOL CALLBACK CollectEnabledWindow(HWND Wnd, LPARAM Data)
{
    if (IsWindowVisible(Wnd) && IsWindowEnabled(Wnd))
        reinterpret_cast<std::vector<HWND>*>(Data)->push_back(Wnd);
    return TRUE;
}

} // namespace

PANTREL_REGISTER(TApplication, TComponent)

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), FThunk(TWndMethod(this, &TApplication::WndProc))
{
    char Path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, Path, MAX_PATH);
    std::string Name = Path;
    const size_t Slash = Name.find_last_of("\\/");
    if (Slash != std::string::npos)
        Name.erase(0, Slash + 1);
    const size_t Dot = Name.rfind('.');
    if (Dot != std::string::npos)
        Name.erase(Dot);
    FTitle = Name;
    ThunkExceptionHandler = HandleThunkException;
}

TApplication::~TApplication()
{
    Destroying();
    DestroyComponents();
    if (FHandle)
        DestroyWindow(FHandle);
    if (ThunkExceptionHandler == HandleThunkException)
        ThunkExceptionHandler = nullptr;
}

void TApplication::Initialize()
{
    INITCOMMONCONTROLSEX Init{sizeof Init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&Init);
    Handle();
}

HWND TApplication::Handle()
{
    if (FHandle)
        return FHandle;
    const HINSTANCE Instance = GetModuleHandleA(nullptr);
    WNDCLASSA Class{};
    if (!GetClassInfoA(Instance, "TApplication", &Class)) {
        Class.lpfnWndProc = DefWindowProcA;
        Class.hInstance = Instance;
        Class.hIcon = LoadIconA(Instance, "MAINICON");
        Class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        Class.lpszClassName = "TApplication";
        RegisterClassA(&Class);
    }
    // Zero-sized and never shown: the owner of every form.
    FHandle = CreateWindowExA(0, "TApplication", FTitle.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, Instance, nullptr);
    if (!FHandle)
        throw EOutOfResources("Cannot create the application window");
    SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FThunk.Proc()));
    return FHandle;
}

void TApplication::SetTitle(const std::string& Value)
{
    FTitle = Value;
    if (FHandle)
        SetWindowTextA(FHandle, Value.c_str());
}

void TApplication::FormCreated(TCustomForm* Form)
{
    if (FMainForm)
        return;
    FMainForm = Form;
    if (Form->HandleAllocated()) {
        const HWND Wnd = Form->Handle();
        SetWindowLongPtrA(Wnd, GWL_EXSTYLE, GetWindowLongPtrA(Wnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    } else {
        Form->HandleNeeded();
    }
}

void TApplication::FormDestroyed(TCustomForm* Form)
{
    if (FMainForm == Form)
        FMainForm = nullptr;
}

void TApplication::Run()
{
    if (FMainForm && !FTerminated)
        FMainForm->Show();
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage() && !FTerminated)
        WaitMessage();
}

bool TApplication::ProcessMessage()
{
    MSG Msg;
    if (!PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (!IsKeyMsg(Msg)) {
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    return true;
}

// A key goes first to the framework control it is for (CN_KEYDOWN), which may take it as
// a dialog key or menu shortcut.
bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN)
        return false;
    HWND Wnd = Msg.hwnd;
    while (Wnd && !TWinControl::FindControl(Wnd))
        Wnd = GetParent(Wnd);
    return Wnd && SendMessageA(Wnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::HandleException(TObject* Sender)
{
    const std::exception_ptr Current = std::current_exception();
    if (!Current)
        return;
    try {
        std::rethrow_exception(Current);
    } catch (const std::exception& E) {
        if (OnException.Assigned())
            OnException(Sender, E);
        else
            ShowException(E);
    } catch (...) {
        ShowException(Exception("Unknown exception"));
    }
}

void TApplication::ShowException(const std::exception& E)
{
    const HWND Active = GetActiveWindow();
    std::vector<HWND> Disabled;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&Disabled));
    for (HWND Wnd : Disabled)
        EnableWindow(Wnd, FALSE);
    MessageBoxA(Handle(), E.what(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
    for (HWND Wnd : Disabled)
        EnableWindow(Wnd, TRUE);
    if (Active && IsWindow(Active))
        SetActiveWindow(Active);
}

void TApplication::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSE:
        if (FMainForm)
            FMainForm->Close();
        break;
    case WM_SETFOCUS:
        // The hidden window hands the focus on to the form in front.
        if (TCustomForm* Form = Screen->ActiveForm() ? Screen->ActiveForm() : FMainForm)
            if (Form->HandleAllocated() && IsWindowVisible(Form->Handle()) && IsWindowEnabled(Form->Handle())) {
                SetFocus(Form->Handle());
                break;
            }
        Message.Result = DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
        break;
    default:
        Message.Result = DefWindowProcA(FHandle, Message.Msg, Message.WParam, Message.LParam);
    }
}
