#include "skin/manage/SkinPopMenu.h"

#include "framework/graphics/GdiHolders.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/manage/SkinManage.h"

PANTREL_REGISTER(TWinSkinPopMenu, TObject)

TWinSkinPopMenu* CurrentPopup = nullptr;

namespace {

// The system's menu border, on every side.
constexpr int FrameWidth = 3;

// NT reports its platform; the older platforms set the top bit of GetVersion's value. A
// platform that is neither keeps its border unpainted.
bool PaintsMenuFrame()
{
    OSVERSIONINFOA Info{};
    Info.dwOSVersionInfoSize = sizeof Info;
    const bool NT = GetVersionExA(&Info) && Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    return NT || WinVersion >= 0x80000000u;
}

// The window has no frame of its own: its client area is the whole window.
bool BorderInClientArea(HWND Wnd)
{
    RECT W, C;
    return GetWindowRect(Wnd, &W) && GetClientRect(Wnd, &C) && W.right - W.left == C.right &&
           W.bottom - W.top == C.bottom;
}

RECT WindowRectAtOrigin(HWND Wnd, bool& Ok)
{
    RECT R{};
    Ok = GetWindowRect(Wnd, &R) != FALSE;
    OffsetRect(&R, -R.left, -R.top);
    return R;
}

}  // namespace

TWinSkinPopMenu::~TWinSkinPopMenu()
{
    if (CurrentPopup == this)
        CurrentPopup = nullptr;
    Detach();
}

void TWinSkinPopMenu::Attach(HWND Wnd, TSkinData* SkinData, HMENU Menu)
{
    FHandle = Wnd;
    FSkinData = SkinData;
    FMenuHandle = Menu;
    FObjectInstance = std::make_unique<TThunk>(TWndMethod(this, &TWinSkinPopMenu::WndProc));
    FOldWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Wnd, GWLP_WNDPROC));
    SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance->Proc()));
}

void TWinSkinPopMenu::Detach()
{
    if (!FObjectInstance)
        return;
    SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldWndProc));
    FObjectInstance.reset();
    FBackground.SetSize(0, 0);
}

void TWinSkinPopMenu::CallDefault(TMessage& Message)
{
    Message.Result = CallWindowProcA(FOldWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinSkinPopMenu::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_SKINQUERY) {
        Message.Result = 1;
        return;
    }
    if (!SkinManager || !SkinManager->SkinningEnabled) {
        CallDefault(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_DESTROY:
        Detach();
        CallDefault(Message);
        break;
    case WM_NCPAINT:
        if (PaintsMenuFrame())
            PaintFrame(Message);
        break;
    case WM_PAINT:
        PaintClient(Message);
        break;
    case WM_PRINT:
        PrintBackground(Message);
        break;
    default:
        CallDefault(Message);
    }
}

TDataSkinObject* TWinSkinPopMenu::Element() const
{
    if (!FSkinData || FSkinData->NoSkin)
        return nullptr;
    TDataSkinObject* const E = FSkinData->MenuBackground.get();
    return E && E->Bitmap && !E->Bitmap->Empty() ? E : nullptr;
}

bool TWinSkinPopMenu::BuildBackground(const TDataSkinObject& E, const RECT& R)
{
    const auto Built = BuildElementBitmap(R, *E.Bitmap, ElementMargins(E), false, E.Tile != 0, 1, 1);
    if (!Built) {
        FBackground.SetSize(0, 0);
        return false;
    }
    FBackground.Assign(*Built);
    return true;
}

void TWinSkinPopMenu::CopyBackground(HDC DC, const RECT& Part)
{
    const TMemoryDC Source(FBackground.Handle());
    BitBlt(DC, Part.left, Part.top, Part.right - Part.left, Part.bottom - Part.top, Source.Handle(), Part.left,
           Part.top, SRCCOPY);
}

void TWinSkinPopMenu::PaintFrame(TMessage& Message)
{
    const TDataSkinObject* E = Element();
    if (!E) {
        CallDefault(Message);
        return;
    }
    // The system's own border is never drawn; the items are left to the system.
    if (PrepareBackground(*E))
        DrawBorder();
}

void TWinSkinPopMenu::PaintClient(TMessage& Message)
{
    // Where the system draws the menu's border inside the client area (Wine), the items
    // painted now need the background first, and the strips go over the border after them.
    const TDataSkinObject* E = PaintsMenuFrame() && BorderInClientArea(FHandle) ? Element() : nullptr;
    const bool Ready = E && PrepareBackground(*E);
    CallDefault(Message);
    if (Ready)
        DrawBorder();
}

bool TWinSkinPopMenu::PrepareBackground(const TDataSkinObject& E)
{
    bool Ok;
    const RECT R = WindowRectAtOrigin(FHandle, Ok);
    if (!FMenuHandle)
        CurrentPopup = this;
    return Ok && BuildBackground(E, R);
}

void TWinSkinPopMenu::DrawBorder()
{
    const TWindowDC DC(FHandle, TWindowDC::daWindow);
    if (!DC.Handle())
        return;
    const int W = FBackground.Width();
    const int H = FBackground.Height();
    CopyBackground(DC.Handle(), RECT{0, 0, W, FrameWidth});
    CopyBackground(DC.Handle(), RECT{0, H - FrameWidth, W, H});
    CopyBackground(DC.Handle(), RECT{0, FrameWidth, FrameWidth, H});
    CopyBackground(DC.Handle(), RECT{W - FrameWidth, FrameWidth, W, H});
}

POINT TWinSkinPopMenu::ClientOrigin() const
{
    POINT Origin{0, 0};
    RECT Window{};
    if (ClientToScreen(FHandle, &Origin) && GetWindowRect(FHandle, &Window)) {
        Origin.x -= Window.left;
        Origin.y -= Window.top;
    }
    return Origin;
}

void TWinSkinPopMenu::PrintBackground(TMessage& Message)
{
    const TDataSkinObject* E = Element();
    if (!E) {
        CallDefault(Message);
        return;
    }
    if (!FMenuHandle)
        CurrentPopup = this;
    bool Ok;
    const RECT R = WindowRectAtOrigin(FHandle, Ok);
    if (!Ok) {
        CallDefault(Message);
        return;
    }
    RECT Inner = R;
    InflateRect(&Inner, -FrameWidth, -FrameWidth);
    const TRegionHandle Clip(CreateRectRgnIndirect(&Inner));
    const HDC DC = reinterpret_cast<HDC>(Message.WParam);
    if (BuildBackground(*E, R))
        CopyBackground(DC, R);
    // The items' text is drawn transparently over the background, inside the border.
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    SelectClipRgn(DC, Clip.Get());
    CallDefault(Message);
    SelectClipRgn(DC, nullptr);
    SetBkMode(DC, OldMode);
}
