#include "tests/skinform/BareWindows.h"

#include <vector>

#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"

namespace {

const char BareClass[] = "PantrelBareWindow";
const char SkinnedElsewhereClass[] = "PantrelSkinnedElsewhere";
const char FrameClass[] = "PantrelMdiFrame";
const char ChildClass[] = "PantrelMdiChild";
enum : UINT { cmFirstChild = 1000 };

LRESULT CALLBACK SkinnedElsewhereProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_SKINQUERY)
        return 1;
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

HWND ClientOf(HWND Frame)
{
    return reinterpret_cast<HWND>(GetWindowLongPtrA(Frame, GWLP_USERDATA));
}

LRESULT CALLBACK FrameProc(HWND Frame, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_CREATE) {
        CLIENTCREATESTRUCT Create{GetSubMenu(GetMenu(Frame), 1), cmFirstChild};
        const HWND Client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr,
                                            WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                            0, 0, Frame, nullptr, GetModuleHandleA(nullptr), &Create);
        SetWindowLongPtrA(Frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Client));
        return Client ? 0 : -1;
    }
    return DefFrameProcA(Frame, ClientOf(Frame), Msg, WParam, LParam);
}

void RegisterClasses()
{
    static const bool Done = [] {
        WNDCLASSA Class{};
        Class.lpfnWndProc = DefWindowProcA;
        Class.hInstance = GetModuleHandleA(nullptr);
        Class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        Class.lpszClassName = BareClass;
        RegisterClassA(&Class);
        Class.lpfnWndProc = SkinnedElsewhereProc;
        Class.lpszClassName = SkinnedElsewhereClass;
        RegisterClassA(&Class);
        Class.lpfnWndProc = FrameProc;
        Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        Class.lpszClassName = FrameClass;
        RegisterClassA(&Class);
        Class.lpfnWndProc = DefMDIChildProcA;
        Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        Class.lpszClassName = ChildClass;
        RegisterClassA(&Class);
        return true;
    }();
    (void)Done;
}

INT_PTR CALLBACK DialogProc(HWND, UINT Msg, WPARAM, LPARAM)
{
    return Msg == WM_INITDIALOG;
}

// A string of a dialog template: UTF-16, ending in 0.
void AddText(std::vector<WORD>& T, const std::string& Text)
{
    for (char C : Text)
        T.push_back(WORD(static_cast<unsigned char>(C)));
    T.push_back(0);
}

void AlignDword(std::vector<WORD>& T)
{
    if (T.size() % 2)
        T.push_back(0);
}

void AddDword(std::vector<WORD>& T, DWORD Value)
{
    T.push_back(LOWORD(Value));
    T.push_back(HIWORD(Value));
}

}  // namespace

HWND MakeBareWindow(const TBareOptions& O)
{
    RegisterClasses();
    const RECT& B = O.Bounds;
    return CreateWindowExA(0, O.AnswersSkinQuery ? SkinnedElsewhereClass : BareClass, O.Caption.c_str(), O.Style,
                           B.left, B.top, B.right - B.left, B.bottom - B.top, O.Parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND MakeDialog(const std::string& Caption, int X, int Y)
{
    std::vector<WORD> T;
    AddDword(T, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    AddDword(T, 0);
    T.push_back(1);  // one item
    for (short V : {short(0), short(0), short(160), short(80)})
        T.push_back(WORD(V));
    T.push_back(0);  // no menu
    T.push_back(0);  // the dialog class
    AddText(T, Caption);
    AlignDword(T);
    AddDword(T, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON);
    AddDword(T, 0);
    for (short V : {short(55), short(50), short(50), short(14)})
        T.push_back(WORD(V));
    T.push_back(IDOK);
    T.push_back(0xFFFF);
    T.push_back(0x0080);  // a button
    AddText(T, "OK");
    T.push_back(0);  // no creation data
    const HWND Dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                                   reinterpret_cast<LPCDLGTEMPLATEA>(T.data()), nullptr,
                                                   DialogProc, 0);
    if (Dialog) {
        SetWindowPos(Dialog, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Dialog, SW_SHOW);
        Activate(Dialog);
    }
    return Dialog;
}

void Activate(HWND Wnd)
{
    SetForegroundWindow(Wnd);
    SetActiveWindow(Wnd);
    AppPumpFor(100);
}

HWND ThreadWindowOfClass(const std::string& ClassName)
{
    struct TSearch {
        std::string Class;
        HWND Found = nullptr;
    } Search{ClassName};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM Data) -> BOOL {
            auto& S = *reinterpret_cast<TSearch*>(Data);
            if (IsWindowVisible(Wnd) && WindowClassName(Wnd) == S.Class) {
                S.Found = Wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

// --- TMdiFrame -----------------------------------------------------------------------------

TMdiFrame::TMdiFrame(const RECT& Bounds)
{
    RegisterClasses();
    const HMENU File = CreatePopupMenu();
    AppendMenuA(File, MF_STRING, 100, "&Close");
    const HMENU Window = CreatePopupMenu();
    AppendMenuA(Window, MF_STRING, 101, "&Cascade");
    const HMENU Bar = CreateMenu();
    AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(File), "&File");
    AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Window), "&Window");
    Frame = CreateWindowExA(0, FrameClass, "MDI frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                            Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top,
                            nullptr, Bar, GetModuleHandleA(nullptr), nullptr);
    Client = Frame ? ClientOf(Frame) : nullptr;
}

TMdiFrame::~TMdiFrame()
{
    if (IsWindow(Frame))
        DestroyWindow(Frame);
}

HWND TMdiFrame::AddChild(const std::string& Title, int X, int Y, int W, int H)
{
    MDICREATESTRUCTA Create{};
    Create.szClass = ChildClass;
    Create.szTitle = Title.c_str();
    Create.hOwner = GetModuleHandleA(nullptr);
    Create.x = X;
    Create.y = Y;
    Create.cx = W;
    Create.cy = H;
    Create.style = WS_OVERLAPPEDWINDOW;
    const HWND Child =
        reinterpret_cast<HWND>(SendMessageA(Client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&Create)));
    SendMessageA(Client, WM_MDIREFRESHMENU, 0, 0);
    AppPumpFor(50);
    return Child;
}
