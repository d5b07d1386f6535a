#include "skin/controls/Bars.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/WinControl.h"
#include "skin/controls/Tabs.h"
#include "skin/data/SkinData.h"
#include "skin/form/Caption.h"
#include "skin/form/ElementDraw.h"
#include "skin/form/SkinForm.h"

PANTREL_REGISTER(TSkinStatusBar, TSkinControl)
PANTREL_REGISTER(TSkinProgress, TSkinControl)
PANTREL_REGISTER(TSkinTrackBar, TSkinControl)
PANTREL_REGISTER(TSkinHeader, TSkinControl)
PANTREL_REGISTER(TSkinBox, TSkinControl)
PANTREL_REGISTER(TSkinSizer, TSkinControl)

namespace {

constexpr int StatusEdgeFrames = 3;
constexpr int GripFrame = 5;
constexpr int ExtraImageFrames = 5;
constexpr int ThumbFrames = 5;
constexpr int ThumbFrame = 2;
constexpr int HeaderFrames = 5;

// The element when the skin has it with a non-empty image, else null.
template<class E>
const E* Usable(const TSkinData* Skin, std::unique_ptr<E> TSkinData::*Element)
{
    if (!Skin)
        return nullptr;
    const E* Found = (Skin->*Element).get();
    return Found && Found->Bitmap && !Found->Bitmap->Empty() ? Found : nullptr;
}

int WidthOf(const RECT& R)
{
    return R.right - R.left;
}

int HeightOf(const RECT& R)
{
    return R.bottom - R.top;
}

// The process's paint buffer, or Local while nobody holds it.
TBitmap& PaintBuffer(TBitmap& Local)
{
    TBitmap* Shared = ScratchBitmap();
    return Shared ? *Shared : Local;
}

// The window's font, or the GUI font for a window that has none.
HFONT FontOf(HWND Wnd)
{
    const auto Font = reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0));
    return Font ? Font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Filled part of Extent for Position of Max (both known positive), never past Extent.
int FilledPart(int Position, int Max, int Extent)
{
    return int(std::min<int64_t>(int64_t(Position) * Extent / Max, Extent));
}

}  // namespace

// --- Status bar ------------------------------------------------------------------------------

namespace {

// One panel as the status bar holds it.
struct TStatusPanelFace {
    RECT Rect;
    UINT Alignment;
    std::string Text;
    int Frame;  // of "StatusBarEdges": 1 lowered, 2 raised, 3 no bevel
};

// Text and kind of part Index; the control centres text after one leading tab and
// right-aligns it after two.
TStatusPanelFace PanelOfWindow(HWND Wnd, int Index)
{
    TStatusPanelFace Face{};
    // The length may count characters, not bytes, and the copy takes no buffer size: room
    // for two bytes per character of a double-byte code page.
    const LRESULT Length = SendMessageA(Wnd, SB_GETTEXTLENGTHA, WPARAM(Index), 0);
    std::vector<char> Text(2 * size_t(LOWORD(Length)) + 2, '\0');
    const LRESULT Kind = SendMessageA(Wnd, SB_GETTEXTA, WPARAM(Index), reinterpret_cast<LPARAM>(Text.data()));
    Face.Text.assign(Text.data(), strnlen(Text.data(), Text.size()));
    const WORD Style = HIWORD(Kind);
    Face.Frame = (Style & SBT_NOBORDERS) ? 3 : (Style & SBT_POPOUT) ? 2 : 1;
    size_t Tabs = 0;
    while (Tabs < 2 && Tabs < Face.Text.size() && Face.Text[Tabs] == '\t')
        ++Tabs;
    Face.Alignment = Tabs == 0 ? DT_LEFT : Tabs == 1 ? DT_CENTER : DT_RIGHT;
    Face.Text.erase(0, Tabs);
    return Face;
}

// A one-pixel bevel: TopLeft along the top and left, BottomRight along the bottom and right.
void Bevel(HDC DC, const RECT& R, int TopLeft, int BottomRight)
{
    const TBrushHandle Light(CreateSolidBrush(GetSysColor(TopLeft)));
    const TBrushHandle Dark(CreateSolidBrush(GetSysColor(BottomRight)));
    const RECT Top{R.left, R.top, R.right, R.top + 1}, Left{R.left, R.top, R.left + 1, R.bottom};
    const RECT Bottom{R.left, R.bottom - 1, R.right, R.bottom}, Right{R.right - 1, R.top, R.right, R.bottom};
    FillRect(DC, &Top, Light.Get());
    FillRect(DC, &Left, Light.Get());
    FillRect(DC, &Bottom, Dark.Get());
    FillRect(DC, &Right, Dark.Get());
}

void DrawStatusPanel(TCanvas& Canvas, const TDataSkinObject* Edges, const TStatusPanelFace& Panel)
{
    const RECT& R = Panel.Rect;
    if (R.right < R.left || R.bottom < R.top)
        return;
    if (Edges)
        DrawElement(Canvas.Handle(), R, *Edges->Bitmap, false, Edges->Tile != 0, false, StatusEdgeFrames, Panel.Frame,
                    ElementMargins(*Edges));
    else if (Panel.Frame == 1)
        Bevel(Canvas.Handle(), R, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    else if (Panel.Frame == 2)
        Bevel(Canvas.Handle(), R, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    const RECT Inner{R.left + 2, R.top, R.right - 2, R.bottom};
    DrawCaption(Canvas, Inner, Panel.Alignment, true, Panel.Text.empty() ? " " : Panel.Text);
}

}  // namespace

TSkinStatusBar::TSkinStatusBar(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinStatusBar::BeforeMessage(TMessage& Message)
{
    return PassUnlessPainted(Message, true);
}

void TSkinStatusBar::Draw(HDC DC, const RECT& Rect)
{
    if (!FSkinData || WidthOf(Rect) <= 0 || HeightOf(Rect) <= 0)
        return;
    TBitmap Local;
    TBitmap& Buffer = PaintBuffer(Local);
    Buffer.SetSize(WidthOf(Rect), HeightOf(Rect));
    TCanvas& Canvas = *Buffer.Canvas();
    FillBackground(Canvas.Handle(), Rect);
    Canvas.Font()->SetHandle(FontOf(FHandle));
    Canvas.Font()->SetStyle({});
    const TDataSkinObject* Edges = Usable(FSkinData, &TSkinData::StatusBarEdges);
    if (Edges)
        Canvas.Font()->SetColor(Edges->NormalColour2);
    else
        Canvas.Font()->SetColor(FControl ? FControl->Font()->Color() : TColor(clBtnText));

    const auto* Bar = dynamic_cast<const TStatusBar*>(FControl);
    const int Parts = int(SendMessageA(FHandle, SB_GETPARTS, 0, 0));
    if (SendMessageA(FHandle, SB_ISSIMPLE, 0, 0) || Parts <= 0 || (Bar && Bar->Panels()->Count() == 0)) {
        TStatusPanelFace Simple = PanelOfWindow(FHandle, 0);
        if (Bar)
            Simple.Text = Bar->SimpleText();
        Simple.Rect = Rect;
        Simple.Alignment = DT_LEFT;
        Simple.Frame = 1;
        DrawStatusPanel(Canvas, Edges, Simple);
    } else {
        for (int I = 0; I < Parts; ++I) {
            TStatusPanelFace Panel = PanelOfWindow(FHandle, I);
            if (!SendMessageA(FHandle, SB_GETRECT, WPARAM(I), reinterpret_cast<LPARAM>(&Panel.Rect)))
                continue;
            if (I == Parts - 1)
                Panel.Rect.right = Rect.right;
            DrawStatusPanel(Canvas, Edges, Panel);
        }
    }

    const TDataSkinObject* Extra = Usable(FSkinData, &TSkinData::ExtraImages);
    if ((GetWindowLongPtrA(FHandle, GWL_STYLE) & SBARS_SIZEGRIP) && Extra) {
        const int W = Extra->Bitmap->Width() / ExtraImageFrames;
        const int H = Extra->Bitmap->Height();
        const RECT Grip{Rect.right - 1 - W, Rect.bottom - 1 - H, Rect.right - 1, Rect.bottom - 1};
        DrawFrameTransparent(Canvas, Grip, ExtraImageFrames, GripFrame, *Extra->Bitmap);
    }
    BitBlt(DC, Rect.left, Rect.top, WidthOf(Rect), HeightOf(Rect), Canvas.Handle(), 0, 0, SRCCOPY);
}

// --- Progress bar ----------------------------------------------------------------------------

TSkinProgress::TSkinProgress(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinProgress::BeforeMessage(TMessage& Message)
{
    return PassUnlessPainted(Message, Usable(FSkinData, &TSkinData::Progress) != nullptr);
}

void TSkinProgress::Draw(HDC DC, const RECT& Rect)
{
    const TDataSkinBorder* Progress = Usable(FSkinData, &TSkinData::Progress);
    const bool Chunks = Progress && Progress->Style == 1;
    TBitmap* Chunk = Progress ? Progress->Bitmap2.get() : nullptr;
    if (!Progress || (Chunks && (!Chunk || Chunk->Empty())) || WidthOf(Rect) <= 0 || HeightOf(Rect) <= 0)
        return;
    const int Position = int(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    const int Max = int(SendMessageA(FHandle, PBM_GETRANGE, FALSE, 0));
    const int Filled = Position > 0 && Max > 0 ? FilledPart(Position, Max, WidthOf(Rect)) : 0;

    TBitmap Local;
    TBitmap& Buffer = PaintBuffer(Local);
    Buffer.SetSize(WidthOf(Rect), HeightOf(Rect));
    const HDC Target = Buffer.Canvas()->Handle();
    FillBackground(Target, Rect);
    const TMargins Margins = ElementMargins(*Progress);
    const bool Tile = Progress->Tile != 0;
    if (Chunks) {
        DrawElement(Target, Rect, *Progress->Bitmap, false, Tile, true, 1, 1, Margins);
        if (Filled > 0) {
            TBitmap Strip;
            Strip.SetSize(Filled, Chunk->Height());
            const RECT Whole{0, 0, Filled, Chunk->Height()};
            TileBitmap(*Strip.Canvas(), Whole, *Chunk, RECT{0, 0, Chunk->Width(), Chunk->Height()});
            const int X = Rect.left + Progress->LeftWidth;
            const int Y = Rect.top + (HeightOf(Rect) - Chunk->Height()) / 2;
            DrawTransparent(Target, RECT{X, Y, X + Filled, Y + Chunk->Height()}, Strip, SkinKeyColour);
        }
    } else {
        DrawElement(Target, Rect, *Progress->Bitmap, false, Tile, true, 2, 1, Margins);
        if (Filled > 0)
            DrawElement(Target, RECT{Rect.left, Rect.top, Rect.left + Filled, Rect.bottom}, *Progress->Bitmap, false,
                        Tile, true, 2, 2, Margins);
    }
    BitBlt(DC, Rect.left, Rect.top, WidthOf(Rect), HeightOf(Rect), Target, 0, 0, SRCCOPY);
}

// --- Track bar -------------------------------------------------------------------------------

TSkinTrackBar::TSkinTrackBar(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinTrackBar::BeforeMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        Message.Result = 1;
        return false;
    case WM_NOTIFY:
    case CN_NOTIFY: {
        const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
        // Only the track bar's own drawing: its tool tip sends custom draws too.
        if (!Header || Header->code != UINT(NM_CUSTOMDRAW) || Header->hwndFrom != FHandle)
            return true;
        Message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(Message.LParam));
        return false;
    }
    default:
        return true;
    }
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& Info)
{
    if (Info.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (Info.dwDrawStage == CDDS_ITEMPREPAINT && Info.dwItemSpec == TBCD_THUMB) {
        DrawThumb(Info.hdc);
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TSkinTrackBar::DrawThumb(HDC DC)
{
    RECT Thumb{};
    SendMessageA(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&Thumb));
    const TDataSkinObject* Image = nullptr;
    if (GetWindowLongPtrA(FHandle, GWL_STYLE) & TBS_VERT)
        Image = Usable(FSkinData, &TSkinData::TrackbarThumbVert);
    if (!Image)
        Image = Usable(FSkinData, &TSkinData::TrackbarThumbHorz);
    if (Image) {
        TDCCanvas Canvas(DC);
        DrawFrameTransparent(*Canvas.Get(), Thumb, ThumbFrames, ThumbFrame, *Image->Bitmap);
        return;
    }
    const TGdiObject<HPEN> Pen(CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData ? FSkinData->ButtonShadowColor : clBtnShadow)));
    const TSelectObject Selected(DC, Pen.Get());
    Rectangle(DC, Thumb.left, Thumb.top, Thumb.right, Thumb.bottom);
}

// --- Header ----------------------------------------------------------------------------------

TSkinHeader::TSkinHeader(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinHeader::InstallWindow(HWND Wnd, TSkinData* SkinData, TCanvas* Canvas)
{
    TSkinControl::InstallWindow(Wnd, SkinData, Canvas);
    if (TWinSkinForm* Form = OwnerForm())
        Form->AddControl(this);
}

bool TSkinHeader::BeforeMessage(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND && Usable(FSkinData, &TSkinData::Headerbar)) {
        Message.Result = 1;
        return false;
    }
    return true;
}

void TSkinHeader::Draw(HDC DC, const RECT& Rect)
{
    const TDataSkinObject* Bar = Usable(FSkinData, &TSkinData::Headerbar);
    if (!Bar || WidthOf(Rect) <= 0 || HeightOf(Rect) <= 0)
        return;
    TBitmap Buffer;
    Buffer.SetSize(WidthOf(Rect), HeightOf(Rect));
    TCanvas& Canvas = *Buffer.Canvas();
    Canvas.Font()->SetHandle(FontOf(FHandle));
    SetBkMode(Canvas.Handle(), TRANSPARENT);
    const auto Images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, HDM_GETIMAGELIST, 0, 0));
    int Edge = Rect.left;
    const int Count = int(SendMessageA(FHandle, HDM_GETITEMCOUNT, 0, 0));
    for (int I = 0; I < Count; ++I) {
        RECT Item{};
        if (!SendMessageA(FHandle, HDM_GETITEMRECT, WPARAM(I), reinterpret_cast<LPARAM>(&Item)))
            continue;
        DrawItem(Canvas, I, Item, Images);
        Edge = std::max(Edge, int(Item.right));
    }
    if (Edge < Rect.right)
        DrawElement(Canvas.Handle(), RECT{Edge, Rect.top, Rect.right, Rect.bottom}, *Bar, HeaderFrames, 1);
    BitBlt(DC, Rect.left, Rect.top, WidthOf(Rect), HeightOf(Rect), Canvas.Handle(), 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(TCanvas& Canvas, int Index, const RECT& ItemRect, HIMAGELIST Images)
{
    const TDataSkinObject& Bar = *FSkinData->Headerbar;
    char Text[201] = {};
    HDITEMA Item{};
    Item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    Item.pszText = Text;
    Item.cchTextMax = sizeof Text;
    SendMessageA(FHandle, HDM_GETITEMA, WPARAM(Index), reinterpret_cast<LPARAM>(&Item));
    Text[sizeof Text - 1] = '\0';
    // Pressed and hot items look like the others.
    DrawElement(Canvas.Handle(), ItemRect, *Bar.Bitmap, false, Bar.Tile != 0, false, HeaderFrames, 1,
                ElementMargins(Bar));
    if (!Text[0])
        return;
    const int Alignment = Item.fmt & HDF_JUSTIFYMASK;  // HDF_LEFT 0, HDF_CENTER 1, HDF_RIGHT 2
    const int Image = (Item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? Item.iImage : -1;
    DrawTabText(Canvas, ItemRect, Alignment, Text, Image, Images);
}

// --- Panels and containers -------------------------------------------------------------------

TSkinBox::TSkinBox(TComponent* AOwner) : TSkinControl(AOwner) {}

void TSkinBox::InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas)
{
    if (FInstalled)
        return;
    FRecolor = Recolor;
    TakeControl(Control, SkinData, Canvas);
    if (FRecolor) {
        FOldColor = Control->Color();
        Control->SetColor(FSkinData->ButtonFaceColor);
    }
    FInstalled = true;
}

// The control keeps its own handler, so nothing comes here; the base's repaints would only
// disturb a container that paints itself.
void TSkinBox::AfterMessage(TMessage&) {}

// --- Size grip -------------------------------------------------------------------------------

TSkinSizer::TSkinSizer(TComponent* AOwner) : TSkinControl(AOwner) {}

bool TSkinSizer::BeforeMessage(TMessage& Message)
{
    return PassUnlessPainted(Message, true);
}

void TSkinSizer::Draw(HDC DC, const RECT& Rect)
{
    const TBrushHandle Shadow(CreateSolidBrush(ColorToRGB(FSkinData ? FSkinData->ButtonShadowColor : clBtnShadow)));
    FrameRect(DC, &Rect, Shadow.Get());
}
