// Owner-drawn menu items painted from the skin: each item is composed off-screen on the part
// of its popup's background that lies under it, with the skin's "MenuItem" image (normal or
// selected frame), the glyph or check mark, the caption and the shortcut, then copied once.
// Items reach us as framework items (their OnMeasureItem / OnDrawItem handlers) or as
// WM_MEASUREITEM / WM_DRAWITEM of the window: items of the bar's framework menu by command,
// anything else (an MDI window list, a bare window's menu) through a temporary item made
// from the system's description.
#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/graphics/ImageList.h"
#include "framework/ui/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"
#include "skin/manage/SkinPopMenu.h"

namespace {

// The frames of "MenuItem", side by side: 1 normal, 2 separator strip, 4 selected.
constexpr int ItemFrames = 5;
constexpr int NormalFrame = 1;
constexpr int SeparatorFrame = 2;
constexpr int SelectedFrame = 4;
constexpr int MenuTextLength = 80;
// The system's check-mark bitmap (OBM_CHECK, declared only with OEMRESOURCE).
constexpr WORD SystemCheckMark = 32760;

// "MenuItem" when the skin has a usable one, else null.
const TDataSkinObject* ItemElement(const TSkinData& Skin)
{
    const TDataSkinObject* E = Skin.NoSkin ? nullptr : Skin.MenuItem.get();
    return E && E->Bitmap && !E->Bitmap->Empty() ? E : nullptr;
}

// The element's left margin, within one frame (a skin's nonsense stays harmless).
int LeftMargin(const TDataSkinObject* E)
{
    return E ? std::clamp(E->LeftWidth, 0, E->Bitmap->Width() / ItemFrames) : 0;
}

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

std::string MenuText(HMENU Menu, UINT Item, UINT Flags)
{
    char Text[MenuTextLength + 1] = {};
    GetMenuStringA(Menu, Item, Text, MenuTextLength, Flags);
    return Text;
}

// The system's check mark (black on white) in Colour, transparent, centred in Box.
void DrawCheckMark(HDC DC, const RECT& Box, COLORREF Colour)
{
    const TGdiObject<HBITMAP> Check(LoadBitmapA(nullptr, MAKEINTRESOURCEA(SystemCheckMark)));
    BITMAP Info{};
    if (!Check || !GetObjectA(Check.Get(), sizeof Info, &Info))
        return;
    const TMemoryDC Source(Check.Get());
    const TBrushHandle Brush(CreateSolidBrush(Colour));
    const TSelectObject UseBrush(DC, Brush.Get());
    const COLORREF OldText = SetTextColor(DC, RGB(0, 0, 0));
    const COLORREF OldBack = SetBkColor(DC, RGB(255, 255, 255));
    const int X = Box.left + (Width(Box) - Info.bmWidth) / 2 + 1;
    const int Y = Box.top + (Height(Box) - Info.bmHeight) / 2 + 1;
    // The brush where the mark is black, the destination where it is white.
    constexpr DWORD PSDPxax = 0x00B8074A;
    BitBlt(DC, X, Y, Info.bmWidth, Info.bmHeight, Source.Handle(), 0, 0, PSDPxax);
    SetBkColor(DC, OldBack);
    SetTextColor(DC, OldText);
}

// The dithered, sunken box behind the image of a checked item.
void DrawCheckedGlyphBox(TCanvas& Canvas, const RECT& Box)
{
    RECT R = Box;
    Canvas.Brush()->SetBitmap(AllocPatternBitmap(clBtnFace, clBtnHighlight));
    Canvas.FillRect(R);
    Canvas.Brush()->SetBitmap(nullptr);
    DrawEdge(Canvas.Handle(), &R, BDR_SUNKENOUTER, BF_RECT);
}

bool RunsOn9x()
{
    return (GetVersion() & 0x80000000) != 0;
}

}  // namespace

// --- Routes ----------------------------------------------------------------------------------

TMenuItem* TWinSkinForm::BarItem(UINT Command) const
{
    return FMenuBar && FMenuBar->FMenu ? FMenuBar->FMenu->FindItem(Command, fkCommand) : nullptr;
}

void TWinSkinForm::OnMeasureItem(TMessage& Message)
{
    auto& Measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    if (Measure.CtlType != ODT_MENU || !FMenuHandle) {
        CallDefault(Message);
        return;
    }
    const int Margin = LeftMargin(ItemElement(*FSkinData));
    TWindowDC DC(FHandle);
    TDCCanvas Canvas(DC.Handle());
    Canvas->Font()->SetLogFont(MenuLogFont());
    if (TMenuItem* Item = BarItem(Measure.itemID)) {
        int W = int(Measure.itemWidth), H = int(Measure.itemHeight);
        // The item's own size, without what a handler (ours included) would add.
        const TMenuMeasureItemEvent Handler = Item->OnMeasureItem;
        Item->OnMeasureItem = TMenuMeasureItemEvent();
        Item->MeasureItem(Canvas.Get(), W, H);
        Item->OnMeasureItem = Handler;
        W += Margin + 10 + (Item->GetImageList() ? 0 : 25);
        Measure.itemWidth = UINT(std::max(0, W));
        Measure.itemHeight = UINT(std::max(0, H));
    } else {
        const std::string Text = MenuText(FTrackedMenu, Measure.itemID, MF_BYCOMMAND);
        Measure.itemWidth = UINT(Canvas->TextWidth(Text) + 26 + Margin);
        if (Text.empty())
            Measure.itemHeight = 8;
        else
            Measure.itemHeight += 4;
        if (RunsOn9x())
            Measure.itemHeight += 4;
    }
    Message.Result = TRUE;
}

void TWinSkinForm::OnDrawItem(TMessage& Message)
{
    const auto& Draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    if (Draw.CtlType != ODT_MENU || !FMenuHandle || (FMDIKind == mkFrame && IsWindowsNT4())) {
        CallDefault(Message);
        return;
    }
    const auto Menu = reinterpret_cast<HMENU>(Draw.hwndItem);
    if (CurrentPopup) {
        CurrentPopup->FMenuHandle = Menu;
        CurrentPopup = nullptr;
    }
    const bool Selected = (Draw.itemState & ODS_SELECTED) != 0;
    TDCCanvas Canvas(Draw.hDC);
    if (TMenuItem* Item = BarItem(Draw.itemID)) {
        DrawMenuItem(Item, Canvas.Get(), Draw.rcItem, Selected);
    } else {
        // An item the framework does not know, described by the system.
        MENUITEMINFOA Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = MIIM_STATE;
        GetMenuItemInfoA(Menu, Draw.itemID, FALSE, &Info);
        const std::string Text = MenuText(Menu, Draw.itemID, MF_BYCOMMAND);
        TMenuItem Temporary(nullptr);
        Temporary.SetCaption(Text.empty() ? "-" : Text);
        Temporary.SetEnabled((Info.fState & 3) == 0);
        Temporary.SetChecked((Info.fState & MFS_CHECKED) != 0);
        DrawMenuItemByHandle(Menu, Temporary, Selected, Draw.rcItem, *Canvas.Get());
    }
    Message.Result = TRUE;
}

void TWinSkinForm::HookMenuItems(TMenuItem& Parent, bool On)
{
    const TMenuDrawItemEvent Draw(this, &TWinSkinForm::DrawMenuItem);
    const TMenuMeasureItemEvent Measure(this, &TWinSkinForm::MeasureMenuItem);
    for (int I = 0; I < Parent.Count(); ++I) {
        TMenuItem& Item = *Parent.Items(I);
        if (On && !Item.OnDrawItem.Assigned()) {
            Item.OnDrawItem = Draw;
            Item.OnMeasureItem = Measure;
        } else if (!On && Item.OnDrawItem == Draw) {
            // Only ours: the application's own handlers stay, and none points at this
            // object once it is gone.
            Item.OnDrawItem = TMenuDrawItemEvent();
            Item.OnMeasureItem = TMenuMeasureItemEvent();
        }
        HookMenuItems(Item, On);
    }
}

// --- Measuring and drawing framework items ---------------------------------------------------

void TWinSkinForm::MeasureMenuItem(TObject* Sender, TCanvas*, int& Width, int&)
{
    const auto* Item = static_cast<TMenuItem*>(Sender);
    Width += LeftMargin(ItemElement(*FSkinData)) + 12 + (Item->GetImageList() ? 0 : 23);
}

void TWinSkinForm::DrawMenuItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)
{
    TMenuItem& Item = *static_cast<TMenuItem*>(Sender);
    HMENU Menu = nullptr;
    if (Item.Parent()) {
        Menu = Item.Parent()->Handle();
        if (CurrentPopup && ItemElement(*FSkinData)) {
            CurrentPopup->FMenuHandle = Menu;
            CurrentPopup = nullptr;
        }
    }
    DrawSkinnedItem(Menu, Item, Selected, ARect, *ACanvas, true);
}

void TWinSkinForm::DrawMenuItemByHandle(HMENU Menu, TMenuItem& Item, bool Selected, const RECT& Rect, TCanvas& Canvas)
{
    DrawSkinnedItem(Menu, Item, Selected, Rect, Canvas, false);
}

void TWinSkinForm::DrawSkinnedItem(HMENU Menu, TMenuItem& Item, bool Selected, const RECT& Rect, TCanvas& Canvas,
                                   bool Separator)
{
    const TDataSkinObject* E = ItemElement(*FSkinData);
    if (!E) {
        DrawMenuItemPlain(Item, Canvas, Selected, Rect);
        return;
    }
    TBitmap Bitmap;
    ItemBackground(Menu, Rect, Bitmap);
    TCanvas& Target = *Bitmap.Canvas();
    const RECT Whole{0, 0, Width(Rect), Height(Rect)};
    if (Separator && Item.IsLine()) {
        DrawMenuSeparator(Target, Whole);
    } else {
        DrawElement(Target.Handle(), Whole, *E, ItemFrames, Selected ? SelectedFrame : NormalFrame);
        DrawMenuItemContent(Item, Target, Selected, Whole);
    }
    Canvas.Draw(Rect.left, Rect.top, Bitmap);
}

void TWinSkinForm::ItemBackground(HMENU Menu, const RECT& Rect, TBitmap& Bitmap)
{
    Bitmap.SetSize(std::max(0, Width(Rect)), std::max(0, Height(Rect)));
    Bitmap.Canvas()->Font()->SetLogFont(MenuLogFont());
    TWinSkinPopMenu* const Popup = SkinManager ? SkinManager->PopupShowing(Menu) : nullptr;
    if (!Popup || Popup->FBackground.Empty()) {
        Bitmap.Canvas()->Brush()->SetColor(FSkinData->MenuColor);
        Bitmap.Canvas()->FillRect(RECT{0, 0, Bitmap.Width(), Bitmap.Height()});
        return;
    }
    // The item's rectangle is in client coordinates; the background covers the window.
    const POINT Origin = Popup->ClientOrigin();
    const TMemoryDC Source(Popup->FBackground.Handle());
    BitBlt(Bitmap.Canvas()->Handle(), 0, 0, Bitmap.Width(), Bitmap.Height(), Source.Handle(), Rect.left + Origin.x,
           Rect.top + Origin.y, SRCCOPY);
}

void TWinSkinForm::DrawMenuItemPlain(TMenuItem& Item, TCanvas& Canvas, bool Selected, const RECT& Rect)
{
    TBitmap Bitmap;
    Bitmap.SetSize(std::max(0, Width(Rect)), std::max(0, Height(Rect)));
    TCanvas& Target = *Bitmap.Canvas();
    Target.Font()->SetLogFont(MenuLogFont());
    Target.Brush()->SetColor(Selected ? FSkinData->HilightColor : FSkinData->MenuColor);
    const RECT Whole{0, 0, Bitmap.Width(), Bitmap.Height()};
    Target.FillRect(Whole);
    DrawMenuItemContent(Item, Target, Selected, Whole);
    Canvas.Draw(Rect.left, Rect.top, Bitmap);
}

// --- Parts of an item ------------------------------------------------------------------------

bool TWinSkinForm::MenuRightToLeft(const TMenuItem& Item) const
{
    if (const TMenu* Menu = Item.GetParentMenu())
        return Menu->IsRightToLeft();
    return FMenuBar && FMenuBar->FMenu && FMenuBar->FMenu->IsRightToLeft();
}

void TWinSkinForm::DrawMenuItemContent(TMenuItem& Item, TCanvas& Canvas, bool Selected, const RECT& Rect)
{
    TImageList* Images = Item.GetImageList();
    int Glyph = Images ? Images->Width() : 16;
    if (Item.Checked())
        Glyph = std::max(Glyph, 16);
    const int Margin = LeftMargin(ItemElement(*FSkinData));
    const bool RightToLeft = MenuRightToLeft(Item);

    // The glyph box; a separator has none, and its line starts where the box would.
    RECT Box{Rect.left + 1 + Margin, Rect.top + 1, 0, Rect.top + 1 + Glyph};
    if (RightToLeft)
        Box.left = Rect.right - 1 - Margin - Glyph;
    Box.right = Box.left + Glyph;
    if (Item.IsLine())
        Box.left = Box.right = RightToLeft ? Rect.right : Rect.left;

    if (Images && Item.ImageIndex() >= 0 && Item.ImageIndex() < Images->Count()) {
        if (Item.Checked())
            DrawCheckedGlyphBox(Canvas, Box);
        Images->Draw(Canvas, Box.left, Box.top, Item.ImageIndex(), Item.Enabled());
    } else if (Item.Checked()) {
        DrawCheckMark(Canvas.Handle(), Box, ColorToRGB(clBtnText));
    }

    const RECT Caption = RightToLeft ? RECT{Rect.left + 1, Rect.top, Box.left - 3, Rect.bottom}
                                     : RECT{Box.right + 3, Rect.top, Rect.right - 1, Rect.bottom};
    const UINT Align = RightToLeft ? DT_RIGHT : 0;
    RECT Text = Caption;
    DrawMenuText(Item, Canvas, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | Align, Selected, Text,
                 Item.Caption());
    const int TextWidth = Width(Text), TextHeight = Height(Text);
    Text.top = Caption.top + (Height(Caption) - TextHeight) / 2;
    Text.bottom = Text.top + TextHeight;
    if (RightToLeft) {
        Text.right = Caption.right;
        Text.left = Caption.right - TextWidth;
    }
    RECT Drawn = Text;
    DrawMenuText(Item, Canvas, DT_SINGLELINE | DT_EXPANDTABS | Align, Selected, Drawn, Item.Caption());

    if (Item.ShortCut() == scNone)
        return;
    RECT Keys = RightToLeft ? RECT{Caption.left + 10, Text.top, Text.left, Text.bottom}
                            : RECT{Text.right, Text.top, Rect.right - 11, Text.bottom};
    DrawMenuText(Item, Canvas, DT_SINGLELINE | DT_NOPREFIX | (RightToLeft ? DT_LEFT : DT_RIGHT), Selected, Keys,
                 ShortCutToText(Item.ShortCut()));
}

void TWinSkinForm::DrawMenuText(TMenuItem& Item, TCanvas& Canvas, UINT Format, bool Selected, RECT& Rect,
                                std::string Text)
{
    const bool Measuring = (Format & DT_CALCRECT) != 0;
    if (Measuring && (Text.empty() || Text == "&"))
        Text += ' ';
    if (Text == "-") {
        if (!Measuring) {
            RECT Line = Rect;
            OffsetRect(&Line, 0, 4);
            DrawEdge(Canvas.Handle(), &Line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetStyle(Item.Default() ? TFontStyles{fsBold} : TFontStyles{});
    TColor Colour = Selected ? FSkinData->HilightTextColor : FSkinData->MenuTextColor;
    if (!Item.Enabled())
        Colour = ColorToRGB(FSkinData->ButtonShadowColor) == ColorToRGB(FSkinData->MenuTextColor)
                     ? clBtnShadow
                     : FSkinData->ButtonShadowColor;
    Canvas.Font()->SetColor(Colour);
    Canvas.DrawText(Text, Rect, Format);
}

void TWinSkinForm::DrawMenuSeparator(TCanvas& Canvas, const RECT& Rect)
{
    const TDataSkinObject* E = ItemElement(*FSkinData);
    if (!E || Width(Rect) <= 0 || Height(Rect) <= 0)
        return;
    // The strip is the bottom rows of the separator frame, as many as the item is high.
    TBitmap& Image = *E->Bitmap;
    const int Rows = std::min(Height(Rect), Image.Height());
    TBitmap Strip;
    Strip.SetSize(Image.Width(), Rows);
    {
        const TMemoryDC Source(Image.Handle());
        BitBlt(Strip.Canvas()->Handle(), 0, 0, Image.Width(), Rows, Source.Handle(), 0, Image.Height() - Rows,
               SRCCOPY);
    }
    const TMargins Caps{E->LeftWidth, 0, E->RightWidth, 0};
    const auto Built =
        BuildElementBitmap(RECT{0, 0, Width(Rect), Height(Rect)}, Strip, Caps, false, false, ItemFrames, SeparatorFrame);
    if (Built)
        DrawTransparent(Canvas.Handle(), Rect, *Built, SkinKeyColour);
}
