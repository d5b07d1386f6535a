// Painting the skinned frame: borders, the title bar with caption text, icon and caption
// buttons, the menu bar strip, and the window region cut from the border bitmaps.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/StartupTrace.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/NCObjects.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"

namespace {

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

}  // namespace

void TWinSkinForm::OnNCPaint(TMessage& Message)
{
    Message.Result = 0;
    if (!FSkinData->PaintNonClient)
        return;
    if (MDIChildNotNormal() || FFrameKind == fkNoCaption) {
        CallDefault(Message);
        return;
    }
    // Before the frame is fitted nothing is painted: no DC is taken for it either.
    if (!PaintsFrame())
        return;
    // The system may take ownership of a clip region given to GetDCEx: hand it a copy of the
    // update region, never the caller's (1 stands for the whole window).
    TRegionHandle Clip;
    const HRGN Update = reinterpret_cast<HRGN>(Message.WParam);
    if (Message.WParam > 1) {
        Clip.Reset(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(Clip.Get(), Update, nullptr, RGN_COPY);
    }
    const HRGN Given = Clip.Get();
    {
        TWindowDC DC(FHandle, Given, Given ? DCX_WINDOW | DCX_INTERSECTRGN : DCX_WINDOW);
        PaintNC(DC.Handle());
    }
    // Released with the DC where the system took it; deleting it again then fails harmlessly.
    if (Given && GetObjectType(Given) != OBJ_REGION)
        Clip.Release();
}

void TWinSkinForm::OnNCActivate(TMessage& Message)
{
    FActive = Message.WParam != 0;
    FHoverTimer->SetEnabled(FActive);
    if (!FActive && FHoverControl) {
        FHoverControl->SendMouseLeave();
        FHoverControl = nullptr;
    }
    if (!MDIChildNotNormal())
        PaintNC(nullptr);
    Message.Result = 1;
}

bool TWinSkinForm::PaintsFrame()
{
    return ScratchBitmap() && (FSkinState == ssReady || FSkinState == ssReskin) && FFrameKind != fkNoCaption &&
           !MDIChildNotNormal();
}

void TWinSkinForm::PaintNC(HDC DC)
{
    if (!PaintsFrame())
        return;
    std::optional<TWindowDC> Own;
    if (!DC) {
        Own.emplace(FHandle, TWindowDC::daWindow);
        DC = Own->Handle();
    }
    try {
        RECT Window{};
        if (GetWindowRect(FHandle, &Window)) {
            FWindowRect = Window;
            FWidth = Width(Window);
            FHeight = Height(Window);
            const int W = FWidth, H = FHeight;
            DrawBorderPart(1, RECT{0, 0, FBorderLeft, H}, DC);
            DrawBorderPart(2, RECT{W - FBorderRight, 0, W, H}, DC);
            DrawBorderPart(4, RECT{FBorderLeft, H - FBorderBottom, W - FBorderRight, H}, DC);
            PaintTitle(DC);
            if (FMenuBar)
                FMenuBar->PaintBar(DC, RECT{FBorderLeft, FCaptionHeight, W - FBorderRight, FCaptionHeight + FMenuHeight});
        }
    } catch (...) {
        // An incomplete frame is better than a window procedure that throws.
    }
    FHotObject = nullptr;
    StartupTrace::Mark("skin: first frame painted");
}

TBitmap* TWinSkinForm::BorderPartImage(int Index, int Width, int Height)
{
    if (Width <= 0 || Height <= 0)
        return nullptr;
    const TDataSkinBorder* const Parts[] = {FSkinData->BorderLeft.get(), FSkinData->BorderRight.get(),
                                            FSkinData->BorderTop.get(), FSkinData->BorderBottom.get()};
    const TDataSkinBorder& Part = *Parts[Index - 1];
    const int Frame = FActive || Part.FrameCount == 1 ? 1 : 2;
    // Painting at the same size and state again reuses the part drawn last time.
    TPartImage& Cached = FPartImages[Index - 1];
    if (!Cached.Image || Cached.Width != Width || Cached.Height != Height || Cached.Frame != Frame) {
        Cached.Image = BuildElementBitmap(RECT{0, 0, Width, Height}, *Part.Bitmap, ElementMargins(Part), Index > 2,
                                          Part.Tile != 1, Part.FrameCount, Frame);
        Cached.Width = Width;
        Cached.Height = Height;
        Cached.Frame = Frame;
    }
    return Cached.Image.get();
}

void TWinSkinForm::DrawBorderPart(int Index, const RECT& Rect, HDC DC)
{
    if (TBitmap* Image = BorderPartImage(Index, Width(Rect), Height(Rect)))
        BitBlt(DC, Rect.left, Rect.top, Width(Rect), Height(Rect), Image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintTitle(HDC DC)
{
    if (FWidth <= 0 || FCaptionHeight <= 0)
        return;
    FTitleBitmap.SetSize(FWidth, FCaptionHeight);
    const HDC Title = FTitleBitmap.Canvas()->Handle();
    // The corners painted by the left and right borders stay.
    BitBlt(Title, 0, 0, FWidth, FCaptionHeight, DC, 0, 0, SRCCOPY);
    const RECT R{FBorderLeft, 0, FWidth - FBorderRight, FCaptionHeight};
    DrawBorderPart(3, R, Title);
    // The caption text stops before the right-anchored buttons and the buttons placed by the
    // text follow it: lay out before and after the text.
    LayoutButtons();
    DrawCaptionText(*FTitleBitmap.Canvas(), R);
    LayoutButtons();
    PaintButtons(*FTitleBitmap.Canvas());
    BitBlt(DC, 0, 0, FWidth, FCaptionHeight, FTitleBitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
    SetBkMode(DC, OPAQUE);
}

void TWinSkinForm::DrawCaptionText(TCanvas& Canvas, const RECT& R)
{
    const TDataSkinTitle& Title = *FSkinData->Title;
    Canvas.Font()->Assign(FCaptionFont);
    Canvas.Font()->SetColor(FActive ? FSkinData->TitleTextActiveColor : FSkinData->TitleTextNoActiveColor);
    const HDC DC = Canvas.Handle();
    const int OldMode = SetBkMode(DC, TRANSPARENT);

    // The band behind the text is one space wider than the text.
    // The skin's numbers are kept within reach of the bar: they can be anything.
    const int64_t Far = 4 * int64_t(Width(R)) + 1000;
    auto Reach = [Far](int64_t V) { return int(std::clamp<int64_t>(V, -Far, Far)); };
    const int BackLeft = Reach(Title.TextBackLeft), BackRight = Reach(Title.TextBackRight);
    RECT T = R;
    Canvas.DrawText(FCaptionPrefix + " " + FCaption, T, DT_CALCRECT | DT_NOCLIP);
    T.right = Reach(int64_t(T.right) + BackLeft + BackRight);
    const int Alignment = FRightToLeft ? 2 : Title.TextAlignment;
    int64_t DX = 0;
    switch (Alignment) {
    case 0: DX = Title.LeftWidth; break;
    case 1: DX = (Width(R) - Width(T)) / 2; break;
    case 2: DX = int64_t(Width(R)) - Title.RightWidth - Width(T); break;
    default: break;
    }
    const int64_t DY = (Height(R) - Height(T)) / 2 + Title.TopHeight / 2;
    OffsetRect(&T, Reach(DX), Reach(DY));
    // A dialog's text stops short of its right-anchored caption buttons, else at the skin's clip.
    if ((FStyle & WS_POPUP) && FRightButtonsLeft > 0)
        T.right = std::min(T.right, LONG(FRightButtonsLeft - 5));
    else
        T.right = std::min(T.right, LONG(Reach(int64_t(R.right) - Title.RightWidth)));
    FTextRect = T;

    if (!Title.Bitmap->Empty())
        DrawElementStrip(Canvas, RECT{T.left, R.top, T.right, R.bottom}, *Title.Bitmap,
                         TMargins{BackLeft, 0, BackRight, 0}, FActive ? 1 : 2, 2, true, true);
    T.left += BackLeft;
    T.right -= BackRight;
    Canvas.DrawText(FCaptionPrefix + FCaption, T,
                    DT_SINGLELINE | DT_END_ELLIPSIS | (FRightToLeft ? DT_RIGHT : 0));
    SetBkMode(DC, OldMode);
}

void TWinSkinForm::BuildRegion()
{
    RECT Window{};
    GetWindowRect(FHandle, &Window);
    const int W = Width(Window), H = Height(Window);
    if (W <= 0 || H <= 0 || MDIChildNotNormal())
        return;
    if (W == FRegionWidth && H == FRegionHeight && !IsMDIChild() && FSkinState != ssReskin)
        return;
    TRegionHandle Region(MakeRegion(W, H));
    // The system owns a region once it is set on a window.
    FRegion = Region.Get();
    if (SetWindowRgn(FHandle, Region.Get(), TRUE))
        Region.Release();
    FOwnsRegion = true;
}

HRGN TWinSkinForm::MakeRegion(int W, int H)
{
    const TDataSkinBorder& Left = *FSkinData->BorderLeft;
    const TDataSkinBorder& Right = *FSkinData->BorderRight;
    const TDataSkinBorder& Top = *FSkinData->BorderTop;
    const TDataSkinBorder& Bottom = *FSkinData->BorderBottom;
    // Summed wide: a skin's numbers can be anything.
    if (int64_t(Left.Trans) + Right.Trans + Top.Trans + Bottom.Trans == 0)
        return CreateRectRgn(0, 0, W, H);

    FRegionWidth = W;
    FRegionHeight = H;
    TRegionHandle Region(CreateRectRgn(FBorderLeft, FCaptionHeight, W - FBorderRight, H - FBorderBottom));
    if (FFrameKind == fkNoCaption)
        return Region.Release();
    // A part's region: its key-colour pixels cut out, or its whole rectangle.
    auto Cut = [this](int Index, const RECT& Part, TBitmap* Image) {
        if (!Image)
            Image = BorderPartImage(Index, Width(Part), Height(Part));
        return Image ? TRegionHandle(RegionFromBitmap(*Image, Part.left, Part.top, 1, 1, 1, SkinKeyColour))
                     : TRegionHandle(CreateRectRgnIndirect(&Part));
    };
    auto Whole = [](const RECT& R) { return TRegionHandle(CreateRectRgnIndirect(&R)); };

    const int Inner = W - FBorderLeft - FBorderRight;
    const RECT LeftPart{0, 0, FBorderLeft, H};
    const RECT RightPart{W - FBorderRight, 0, W, H};
    const RECT BottomPart{FBorderLeft, H - FBorderBottom, W - FBorderRight, H};
    const RECT TopPart{FBorderLeft, 0, W - FBorderRight, FCaptionHeight};
    TRegionHandle L = Left.Trans == 1 && H > 1 ? Cut(1, LeftPart, nullptr) : Whole(LeftPart);
    TRegionHandle Rt = Right.Trans == 1 && H > 1 ? Cut(2, RightPart, nullptr) : Whole(RightPart);
    // A bottom border under two pixels is never cut.
    TRegionHandle B = Bottom.Trans == 1 && FBorderBottom >= 2 && Inner > 0 ? Cut(4, BottomPart, nullptr)
                                                                           : Whole(BottomPart);
    TRegionHandle T;
    if (Top.Trans == 1 && FCaptionHeight > 1 && Inner > 0) {
        // The title as last composed, when it has this size.
        TBitmap Title;
        const bool TitleReady = FTitleBitmap.Width() == W && FTitleBitmap.Height() == FCaptionHeight;
        if (TitleReady) {
            Title.SetSize(Inner, FCaptionHeight);
            BitBlt(Title.Canvas()->Handle(), 0, 0, Inner, FCaptionHeight, FTitleBitmap.Canvas()->Handle(),
                   FBorderLeft, 0, SRCCOPY);
        }
        T = Cut(3, TopPart, TitleReady ? &Title : nullptr);
    } else {
        T = Whole(TopPart);
    }
    CombineRgn(L.Get(), L.Get(), Rt.Get(), RGN_OR);
    CombineRgn(T.Get(), T.Get(), B.Get(), RGN_OR);
    CombineRgn(L.Get(), L.Get(), T.Get(), RGN_OR);
    CombineRgn(Region.Get(), Region.Get(), L.Get(), RGN_OR);
    return Region.Release();
}

void TWinSkinForm::RemoveRegion()
{
    if (!FOwnsRegion)
        return;
    FTitleBitmap.SetSize(0, 0);
    SetWindowRgn(FHandle, nullptr, FALSE);
    FRegion = nullptr;
    FOwnsRegion = false;
}

void TWinSkinForm::LoadWindowIcon(TBitmap& Bitmap)
{
    const int W = GetSystemMetrics(SM_CXSMICON), H = GetSystemMetrics(SM_CYSMICON);
    Bitmap.SetSize(W, H);
    Bitmap.Canvas()->Brush()->SetColor(TColor(SkinKeyColour));
    Bitmap.Canvas()->FillRect(RECT{0, 0, W, H});
    HICON Icon = reinterpret_cast<HICON>(SendMessageA(FHandle, WM_GETICON, ICON_SMALL, 0));
    if (!Icon)
        Icon = reinterpret_cast<HICON>(SendMessageA(FHandle, WM_GETICON, ICON_BIG, 0));
    if (Icon) {
        HICON Copy = static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, W, H, LR_COPYFROMRESOURCE));
        if (!Copy)
            Copy = static_cast<HICON>(CopyImage(Icon, IMAGE_ICON, W, H, 0));
        DrawIconEx(Bitmap.Canvas()->Handle(), 0, 0, Copy ? Copy : Icon, W, H, 0, nullptr, DI_NORMAL);
        if (Copy)
            DestroyIcon(Copy);
        return;
    }
    if (!FSkinData->DefaultIcon->Empty()) {
        Bitmap.Assign(*FSkinData->DefaultIcon);
        return;
    }
    // The icon of the last main-form component that has one.
    if (SkinManager)
        for (TSkinData* S : SkinManager->SkinDatas)
            if (S->SkinFormtype() == sfMainform && !S->DefaultIcon->Empty())
                Bitmap.Assign(*S->DefaultIcon);
}
