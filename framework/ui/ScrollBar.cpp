#include "framework/ui/ScrollBar.h"

#include <algorithm>

PANTREL_REGISTER(TScrollBar, TWinControl,
    PROP_ENUM(Kind, Kind, SetKind),
    PROP_INT(Min, Min, SetMin),
    PROP_INT(Max, Max, SetMax),
    PROP_INT(PageSize, PageSize, SetPageSize),
    PROP_INT(Position, Position, SetPosition),
    PROP_INT(SmallChange, SmallChange, SetSmallChange),
    PROP_INT(LargeChange, LargeChange, SetLargeChange),
    PROP_EVENT(OnScroll, OnScroll),
    PROP_EVENT(OnChange, OnChange))

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents, csCaptureMouse});
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "SCROLLBAR");
    Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateHandleDone()
{
    UpdateWindow();
}

void TScrollBar::UpdateWindow()
{
    if (!FHandle)
        return;
    SCROLLINFO Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = SIF_ALL;
    Info.nMin = FMin;
    Info.nMax = FMax;
    Info.nPage = UINT(FPageSize);
    Info.nPos = FPosition;
    SendMessageA(FHandle, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&Info));
}

int TScrollBar::LastPosition() const
{
    return std::max(FMin, FMax - std::max(FPageSize - 1, 0));
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (Value == FKind)
        return;
    FKind = Value;
    // The bar keeps its length and thickness, turned.
    if (!(ComponentState().Contains(csLoading)))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::SetPageSize(int Value)
{
    FPageSize = std::max(Value, 0);
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    FMin = AMin;
    FMax = std::max(AMax, AMin);
    // While a design is read the range may not be there yet.
    const int Now = ComponentState().Contains(csLoading) ? APosition : std::clamp(APosition, FMin, LastPosition());
    const bool Moved = Now != FPosition;
    FPosition = Now;
    UpdateWindow();
    if (Moved)
        OnChange(this);
}

void TScrollBar::Loaded()
{
    TWinControl::Loaded();
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::Scrolled(WORD Code)
{
    static const TScrollCode Codes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scPosition,
                                        scTrack, scTop, scBottom, scEndScroll};
    if (Code >= std::size(Codes))
        return;
    int Pos = FPosition;
    switch (Code) {
    case SB_LINEUP: Pos -= FSmallChange; break;
    case SB_LINEDOWN: Pos += FSmallChange; break;
    case SB_PAGEUP: Pos -= FLargeChange; break;
    case SB_PAGEDOWN: Pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The message carries 16 bits only.
        SCROLLINFO Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = SIF_TRACKPOS;
        SendMessageA(FHandle, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&Info));
        Pos = Info.nTrackPos;
        break;
    }
    case SB_TOP: Pos = FMin; break;
    case SB_BOTTOM: Pos = FMax; break;
    }
    OnScroll(this, Codes[Code], Pos);
    SetPosition(Pos);
}

void TScrollBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        Scrolled(LOWORD(Message.WParam));
        Message.Result = 0;
        return;
    }
    TWinControl::Dispatch(Message);
}
