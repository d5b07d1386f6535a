#include "tools/skinpreview/MdiDemo.h"

#include <initializer_list>

namespace {

const char FrameClass[] = "SkinPreviewMdiFrame";
const char ChildClass[] = "SkinPreviewMdiChild";

enum : UINT { cmClose = 100, cmCascade, cmTile, cmFirstChild = 1000 };

HWND ClientOf(HWND Frame)
{
    return reinterpret_cast<HWND>(GetWindowLongPtrA(Frame, GWLP_USERDATA));
}

LRESULT CALLBACK FrameProc(HWND Frame, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    const HWND Client = ClientOf(Frame);
    switch (Msg) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT Create{GetSubMenu(GetMenu(Frame), 1), cmFirstChild};
        const HWND NewClient = CreateWindowExA(
            WS_EX_CLIENTEDGE, "MDIClient", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
            0, 0, 0, 0, Frame, nullptr, GetModuleHandleA(nullptr), &Create);
        SetWindowLongPtrA(Frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(NewClient));
        return NewClient ? 0 : -1;
    }
    case WM_COMMAND:
        switch (LOWORD(WParam)) {
        case cmClose:
            DestroyWindow(Frame);
            return 0;
        case cmCascade:
            SendMessageA(Client, WM_MDICASCADE, 0, 0);
            return 0;
        case cmTile:
            SendMessageA(Client, WM_MDITILE, MDITILE_VERTICAL, 0);
            return 0;
        }
        break;
    }
    return DefFrameProcA(Frame, Client, Msg, WParam, LParam);
}

bool RegisterClasses()
{
    WNDCLASSA Frame{};
    Frame.lpfnWndProc = FrameProc;
    Frame.hInstance = GetModuleHandleA(nullptr);
    Frame.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    Frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    Frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    Frame.lpszClassName = FrameClass;
    WNDCLASSA Child = Frame;
    Child.lpfnWndProc = DefMDIChildProcA;
    Child.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    Child.lpszClassName = ChildClass;
    return RegisterClassA(&Frame) && RegisterClassA(&Child);
}

HMENU MakeFrameMenu()
{
    const HMENU File = CreatePopupMenu();
    AppendMenuA(File, MF_STRING, cmClose, "关闭(&C)");
    const HMENU Window = CreatePopupMenu();
    AppendMenuA(Window, MF_STRING, cmCascade, "层叠(&S)");
    AppendMenuA(Window, MF_STRING, cmTile, "平铺(&T)");
    const HMENU Bar = CreateMenu();
    AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(File), "文件(&F)");
    AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Window), "窗口(&W)");
    return Bar;
}

} // namespace

HWND ShowMdiDemo()
{
    static HWND Frame = nullptr;
    if (IsWindow(Frame)) {
        SetForegroundWindow(Frame);
        return Frame;
    }
    static const bool Registered = RegisterClasses();
    if (!Registered)
        return nullptr;
    const HMENU Menu = MakeFrameMenu();
    Frame = CreateWindowExA(0, FrameClass, "MDI 演示", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 120, 100, 560, 400,
                            nullptr, Menu, GetModuleHandleA(nullptr), nullptr);
    if (!Frame) {
        DestroyMenu(Menu);
        return nullptr;
    }
    // Overlapping, so that one of them is inactive.
    int Offset = 10;
    for (const char* Title : {"子窗口 1", "子窗口 2"}) {
        MDICREATESTRUCTA Child{};
        Child.szClass = ChildClass;
        Child.szTitle = Title;
        Child.hOwner = GetModuleHandleA(nullptr);
        Child.x = Child.y = Offset;
        Child.cx = 300;
        Child.cy = 200;
        SendMessageA(ClientOf(Frame), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&Child));
        Offset += 60;
    }
    ShowWindow(Frame, SW_SHOW);
    return Frame;
}
