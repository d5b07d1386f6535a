// The start-up benchmark's comparison: a minimal Win32 program that shows a plain window of
// Pantrel's size with a tree view of two items, then runs its message loop until closed.
#include "framework/ui/StartupTrace.h"

#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK MainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(Window, Msg, WParam, LParam);
}

void AddItem(HWND Tree, HTREEITEM Parent, const char* Text)
{
    TVINSERTSTRUCTA Insert = {};
    Insert.hParent = Parent;
    Insert.hInsertAfter = TVI_LAST;
    Insert.item.mask = TVIF_TEXT;
    Insert.item.pszText = const_cast<char*>(Text);
    SendMessageA(Tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&Insert));
}

}  // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int)
{
    StartupTrace::Mark("program entered");
    const INITCOMMONCONTROLSEX Controls = {sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&Controls);
    WNDCLASSA Class = {};
    Class.lpfnWndProc = MainProc;
    Class.hInstance = Instance;
    Class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    Class.lpszClassName = "PantrelStartupBaseline";
    RegisterClassA(&Class);
    RECT Frame = {0, 0, 688, 437};
    const DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&Frame, Style, FALSE);
    HWND Main = CreateWindowExA(0, Class.lpszClassName, "Baseline", Style, CW_USEDEFAULT, CW_USEDEFAULT,
                                Frame.right - Frame.left, Frame.bottom - Frame.top, nullptr, nullptr, Instance, nullptr);
    HWND Tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0, 153, 437,
                                Main, nullptr, Instance, nullptr);
    AddItem(Tree, TVI_ROOT, "Pantrel");
    AddItem(Tree, TVI_ROOT, "Baseline");
    ShowWindow(Main, SW_SHOWNORMAL);
    UpdateWindow(Main);
    MSG Msg;
    while (GetMessageA(&Msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&Msg);
        DispatchMessageA(&Msg);
    }
    StartupTrace::WriteIfAsked();
    return 0;
}
