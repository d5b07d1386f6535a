#include "skin/controls/Tabs.h"

#include "framework/graphics/Canvas.h"
#include "framework/ui/TabSet.h"
#include "framework/ui/WinControl.h"
#include "skin/controls/EditCombo.h"
#include "skin/data/BitmapTransforms.h"
#include "skin/data/SkinData.h"
#include "skin/form/Caption.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"

PANTREL_REGISTER(TSkinTab, TSkinControl)
PANTREL_REGISTER(TSkinTab31, TSkinControl)

namespace {

constexpr int TabTextLength = 80;
enum : int { frTab = 1, frFocused = 2 };
// The page border's fixed cut: corners and edges of these sizes.
const TMargins BorderMargins{4, 5, 4, 4};

int Width(const RECT& R)
{
    return R.right - R.left;
}

int Height(const RECT& R)
{
    return R.bottom - R.top;
}

// The "Tabs" element when it has an image to draw.
const TDataSkinBorder* TabsElement(const TSkinData* Skin)
{
    const TDataSkinBorder* Tabs = Skin ? Skin->Tabs.get() : nullptr;
    return Tabs && Tabs->Bitmap && !Tabs->Bitmap->Empty() ? Tabs : nullptr;
}

// Frame 1's text colour for ordinary tabs, the hot colour for the selected one.
TColor TabTextColor(const TDataSkinBorder& Tabs, int Frame)
{
    return Frame == frFocused ? Tabs.MouseOverColour2 : Tabs.NormalColour2;
}

// A scroller's kind is listed with the form skin object, which then refreshes and removes it
// with the other kinds when the skin changes or goes.
void ListWithForm(TSkinControl* Kind)
{
    if (auto* Form = dynamic_cast<TWinSkinForm*>(Kind->Owner()))
        Form->AddControl(Kind);
}

void DrawTabFrame(HDC DC, const RECT& Rect, TBitmap& Image, const TDataSkinBorder& Tabs, int Frame)
{
    DrawElement(DC, Rect, Image, false, Tabs.Tile != 0, Tabs.Trans != 0, Tabs.FrameCount, Frame,
                ElementMargins(Tabs));
}

}  // namespace

void DrawTabText(TCanvas& Canvas, const RECT& Rect, int Alignment, const std::string& Text, int ImageIndex,
                 HIMAGELIST ImageList, bool Enabled, TColor Shadow)
{
    int IconWidth = 0, IconHeight = 0;
    const bool Icon = ImageIndex != -1 && ImageList && ImageList_GetIconSize(ImageList, &IconWidth, &IconHeight);
    if (!Icon)
        IconWidth = IconHeight = 0;
    const UINT Format = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;
    RECT Measured = Rect;
    if (Text.empty())
        Measured.right = Measured.left;
    else
        Canvas.DrawText(Text, Measured, Format | DT_CALCRECT | DT_NOCLIP);
    const int TextWidth = Width(Measured);
    int X0 = 2;
    if (Alignment == 1)
        X0 = (Width(Rect) - IconWidth - TextWidth) / 2;
    else if (Alignment == 2)
        X0 = Width(Rect) - IconWidth - TextWidth - 2;
    if (Icon)
        ImageList_Draw(ImageList, ImageIndex, Canvas.Handle(), Rect.left + X0,
                       Rect.top + (Height(Rect) - IconHeight) / 2, ILD_TRANSPARENT);
    if (Text.empty())
        return;
    OffsetRect(&Measured, X0 + IconWidth + 1, (Height(Rect) - Height(Measured)) / 2);
    SetBkMode(Canvas.Handle(), TRANSPARENT);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetStyle({});
    if (!Enabled)
        Canvas.Font()->SetColor(Shadow);
    Canvas.DrawText(Text, Measured, Format);
}

// --- TSkinTab -------------------------------------------------------------------------------

TSkinTab::TSkinTab(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinTab::InstallWindow(HWND Wnd, TSkinData* SkinData, TCanvas* Canvas)
{
    TSkinControl::InstallWindow(Wnd, SkinData, Canvas);
    FFocused = GetFocus() == FHandle;
    FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    FCaption = WindowTextOf(FHandle);
    PrepareImages();
    FindUpDown();
}

void TSkinTab::SkinChanged()
{
    TSkinControl::SkinChanged();
    PrepareImages();
}

void TSkinTab::Notification(TComponent* AComponent, TOperation Operation)
{
    TSkinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FUpDown)
        FUpDown = nullptr;
}

void TSkinTab::PrepareImages()
{
    const LONG_PTR Style = GetWindowLongPtrA(FHandle, GWL_STYLE);
    if (Style & TCS_VERTICAL)
        FTabPosition = (Style & TCS_BOTTOM) ? spRight : spLeft;
    else
        FTabPosition = (Style & TCS_BOTTOM) ? spBottom : spTop;
    FTabImage.SetSize(0, 0);
    FBorderImage.SetSize(0, 0);
    const TDataSkinBorder* Tabs = TabsElement(FSkinData);
    if (!Tabs)
        return;
    FTabImage.Assign(*Tabs->Bitmap);
    FTabImage.SetPixelFormat(pf24bit);
    if (Tabs->Bitmap2 && !Tabs->Bitmap2->Empty()) {
        FBorderImage.Assign(*Tabs->Bitmap2);
        FBorderImage.SetPixelFormat(pf24bit);
    }
    switch (FTabPosition) {
    case spBottom:
        FlipBitmap(FTabImage);
        FlipBitmap(FBorderImage);
        break;
    case spLeft:
        RotateLeft(FBorderImage);
        break;
    case spRight:
        RotateRight(FBorderImage);
        break;
    default:
        break;
    }
}

bool TSkinTab::FindUpDown()
{
    const HWND UpDown = FindWindowExA(FHandle, nullptr, UPDOWN_CLASSA, nullptr);
    if (!UpDown)
        return false;
    if (!FUpDown) {
        // Without an owner to free it, the up-down's kind goes with this one.
        FUpDown = new TSkinUpDown(Owner() ? Owner() : this);
        FUpDown->FreeNotification(this);
        FUpDown->InstallWindow(UpDown, FSkinData, FCanvas);
        ListWithForm(FUpDown);
        InvalidateRect(UpDown, nullptr, TRUE);
    }
    return (GetWindowLongPtrA(UpDown, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT TSkinTab::StripRect(const RECT& Rect, const RECT& Page) const
{
    switch (FTabPosition) {
    case spBottom:
        return RECT{Rect.left, Page.bottom, Rect.right, Rect.bottom};
    case spLeft:
        return RECT{Rect.left, Rect.top, Page.left, Rect.bottom};
    case spRight:
        return RECT{Page.right, Rect.top, Rect.right, Rect.bottom};
    default:
        return RECT{Rect.left, Rect.top, Rect.right, Page.top};
    }
}

RECT TSkinTab::BufferRect(RECT R, const RECT& Rect, const RECT& Page) const
{
    switch (FTabPosition) {
    case spBottom:
        OffsetRect(&R, 0, -(Page.bottom + 1));
        return R;
    case spLeft: {
        // The buffer is turned left once composed, so the tab lies here turned right; the
        // buffer's width is the strip's height.
        const int Side = FBuffer.Width();
        return RECT{Side - R.bottom, R.left, Side - R.top, R.right};
    }
    case spRight:
        return RECT{R.top - 1, Rect.right - R.right, R.bottom - 1, Rect.right - R.left};
    default:
        OffsetRect(&R, 0, 1);
        return R;
    }
}

void TSkinTab::DrawTab(HDC DC, const RECT& Rect, int Frame)
{
    DrawTabFrame(DC, Rect, FTabImage, *FSkinData->Tabs, Frame);
}

void TSkinTab::ComposeStrip(const RECT& Rect, const RECT& Page)
{
    const TDataSkinBorder& Tabs = *FSkinData->Tabs;
    const RECT Strip = StripRect(Rect, Page);
    const bool Lying = FTabPosition == spLeft || FTabPosition == spRight;
    FBuffer.SetPixelFormat(pf24bit);
    FBuffer.SetSize(Lying ? Height(Strip) : Width(Strip), Lying ? Width(Strip) : Height(Strip));
    if (FBuffer.Empty())
        return;
    TCanvas& Canvas = *FBuffer.Canvas();
    FillBackground(Canvas.Handle(), RECT{0, 0, FBuffer.Width(), FBuffer.Height()});
    const auto Font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    Canvas.Font()->SetHandle(Font ? Font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));

    const int Count = int(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int Focused = int(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
    const auto Images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
    for (int I = 0; I < Count; ++I) {
        char Text[TabTextLength + 1] = {};
        TCITEMA Item{};
        Item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        Item.pszText = Text;
        Item.cchTextMax = TabTextLength;
        Item.iImage = -1;
        if (!SendMessageA(FHandle, TCM_GETITEMA, WPARAM(I), reinterpret_cast<LPARAM>(&Item)) || !Item.pszText)
            Item.pszText = Text;
        RECT R;
        if (!SendMessageA(FHandle, TCM_GETITEMRECT, WPARAM(I), reinterpret_cast<LPARAM>(&R)))
            continue;
        const RECT Place = BufferRect(R, Rect, Page);
        const int Frame = I == Focused ? frFocused : frTab;
        DrawTab(Canvas.Handle(), Place, Frame);
        Canvas.Font()->SetColor(TabTextColor(Tabs, Frame));
        DrawTabText(Canvas, Place, 1, Item.pszText, Item.iImage, Images, FEnabled);
    }
    if (FTabPosition == spLeft)
        RotateLeft(FBuffer);
    else if (FTabPosition == spRight)
        RotateRight(FBuffer);
}

void TSkinTab::BlitStrip(HDC DC, const RECT& Rect)
{
    RECT Window, UpDown;
    const HWND UpDownWnd = FUpDown ? FUpDown->FHandle : nullptr;
    const int Saved = SaveDC(DC);
    if (UpDownWnd && GetWindowRect(FHandle, &Window) && GetWindowRect(UpDownWnd, &UpDown)) {
        OffsetRect(&UpDown, -Window.left, -Window.top);
        ExcludeClipRect(DC, UpDown.left, UpDown.top, UpDown.right, UpDown.bottom);
    }
    BitBlt(DC, Rect.left, Rect.top, FBuffer.Width(), FBuffer.Height(), FBuffer.Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(DC, Saved);
}

void TSkinTab::Draw(HDC DC, const RECT& Rect)
{
    // Enabling the control repaints it; the text follows.
    FEnabled = (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    if (!TabsElement(FSkinData) || FTabImage.Empty())
        return;
    RECT Page = Rect;
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Page));
    InflateRect(&Page, 4, 4);
    switch (FTabPosition) {
    case spBottom:
        --Page.bottom;
        break;
    case spLeft:
        ++Page.left;
        break;
    case spRight:
        --Page.right;
        break;
    default:
        ++Page.top;
        break;
    }
    ComposeStrip(Rect, Page);
    if (!FBuffer.Empty()) {
        const RECT Strip = StripRect(Rect, Page);
        if (FindUpDown())
            BlitStrip(DC, Strip);
        else
            BitBlt(DC, Strip.left, Strip.top, FBuffer.Width(), FBuffer.Height(), FBuffer.Canvas()->Handle(), 0, 0,
                   SRCCOPY);
    }
    if (!FBorderImage.Empty())
        DrawElementDirect(DC, Page, FBorderImage, false, 1, 1, BorderMargins);
}

// --- TSkinTab31 -----------------------------------------------------------------------------

TSkinTab31::TSkinTab31(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinTab31::InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas)
{
    if (FInstalled)
        return;
    TSkinControl::InstallControl(Control, SkinData, Recolor, Canvas);
    PrepareImage();
    auto* Scroller = Control->ComponentCount() > 0 ? dynamic_cast<TUpDown*>(Control->Components(0)) : nullptr;
    if (!Scroller)
        return;
    FScroller = Scroller;
    FScroller->FreeNotification(this);
    FUpDown = new TSkinUpDown(Owner() ? Owner() : this);
    FUpDown->FreeNotification(this);
    FUpDown->FOrientation = 1;
    FUpDown->InstallWindow(FScroller->Handle(), FSkinData, FCanvas);
    ListWithForm(FUpDown);
    FScroller->Invalidate();
}

void TSkinTab31::SkinChanged()
{
    TSkinControl::SkinChanged();
    PrepareImage();
}

void TSkinTab31::Notification(TComponent* AComponent, TOperation Operation)
{
    TSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FUpDown)
        FUpDown = nullptr;
    if (AComponent == FScroller)
        FScroller = nullptr;
}

void TSkinTab31::PrepareImage()
{
    FTabImage.SetSize(0, 0);
    if (const TDataSkinBorder* Tabs = TabsElement(FSkinData)) {
        FTabImage.Assign(*Tabs->Bitmap);
        FlipBitmap(FTabImage);
    }
}

bool TSkinTab31::BeforeMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT:
        PaintFromMessage(Message);
        return true;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinTab31::Draw(HDC DC, const RECT& Rect)
{
    auto* TabSet = dynamic_cast<TTabSet*>(FControl);
    const TDataSkinBorder* Tabs = TabsElement(FSkinData);
    if (!TabSet || !Tabs || FTabImage.Empty() || Width(Rect) <= 0 || Height(Rect) <= 0)
        return;
    TBitmap Buffer;
    Buffer.SetSize(Width(Rect), Height(Rect));
    TCanvas& Canvas = *Buffer.Canvas();
    FillBackground(Canvas.Handle(), RECT{0, 0, Buffer.Width(), Buffer.Height()});
    Canvas.Font()->Assign(*TabSet->Font());
    for (const TTabSet::TTabPlace& Place : TabSet->TabPlaces(Canvas, Buffer.Width(), Buffer.Height())) {
        const int Frame = Place.Index == TabSet->TabIndex() ? frFocused : frTab;
        DrawTabFrame(Canvas.Handle(), Place.Rect, FTabImage, *Tabs, Frame);
        Canvas.Font()->SetColor(TabTextColor(*Tabs, Frame));
        DrawCaption(Canvas, Place.Rect, DT_CENTER, true, TabSet->Tabs()->Get(Place.Index));
    }
    BitBlt(DC, Rect.left, Rect.top, Buffer.Width(), Buffer.Height(), Canvas.Handle(), 0, 0, SRCCOPY);
}
