#include "framework/ui/ButtonGlyph.h"

#include <algorithm>

#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"

namespace {

// Pattern where the mask is black, destination where it is white.
constexpr DWORD ropMaskedPattern = 0x00B8074A;

struct TAxis {
    int Client, Glyph, Text;
};

SIZE TextSize(HDC DC, const std::string& Text, const RECT& Client)
{
    if (Text.empty())
        return SIZE{0, 0};
    RECT R = Client;
    DrawTextA(DC, Text.c_str(), int(Text.size()), &R, DT_CALCRECT);
    return SIZE{R.right - R.left, R.bottom - R.top};
}

void PaintText(HDC DC, const std::string& Text, RECT R, UINT Format, COLORREF Color)
{
    SetTextColor(DC, Color);
    DrawTextA(DC, Text.c_str(), int(Text.size()), &R, Format);
}

// Grey relief of the image's opaque pixels: highlight one pixel down and right, shadow on top.
void DrawEmbossed(HDC DC, POINT At, HDC Source, const RECT& Image, COLORREF Transparent)
{
    const int W = Image.right - Image.left;
    const int H = Image.bottom - Image.top;
    TGdiObject<HBITMAP> Mask(CreateBitmap(W, H, 1, 1, nullptr));
    TMemoryDC MaskDC(Mask.Get());
    // Colour to monochrome: the background colour becomes white, every other colour black.
    const COLORREF SourceBk = SetBkColor(Source, Transparent);
    BitBlt(MaskDC.Handle(), 0, 0, W, H, Source, Image.left, Image.top, SRCCOPY);
    SetBkColor(Source, SourceBk);
    const COLORREF OldText = SetTextColor(DC, RGB(0, 0, 0));
    const COLORREF OldBk = SetBkColor(DC, RGB(255, 255, 255));
    for (const auto& [Color, Shift] : {std::pair{COLOR_BTNHIGHLIGHT, 1}, std::pair{COLOR_BTNSHADOW, 0}}) {
        TSelectObject Brush(DC, GetSysColorBrush(Color));
        BitBlt(DC, At.x + Shift, At.y + Shift, W, H, MaskDC.Handle(), 0, 0, ropMaskedPattern);
    }
    SetTextColor(DC, OldText);
    SetBkColor(DC, OldBk);
}

} // namespace

TGlyphPlacement PlaceGlyphAndText(SIZE Client, SIZE Glyph, SIZE Text, TButtonLayout Layout, int Margin,
                                  int Spacing)
{
    const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    // Across the layout: both centred.
    const int CrossClient = Horizontal ? Client.cy : Client.cx;
    const int GlyphCross = (CrossClient - (Horizontal ? Glyph.cy : Glyph.cx) + 1) / 2;
    const int TextCross = (CrossClient - (Horizontal ? Text.cy : Text.cx) + 1) / 2;

    // Along the layout.
    const TAxis A = Horizontal ? TAxis{Client.cx, Glyph.cx, Text.cx} : TAxis{Client.cy, Glyph.cy, Text.cy};
    int M = Margin;
    int S = (Glyph.cx != 0 && Text.cx != 0) ? Spacing : 0;
    if (M == -1 && S == -1) {
        M = (A.Client - A.Glyph - A.Text) / 3;
        S = M;
    } else if (M == -1) {
        M = (A.Client - (S + A.Glyph + A.Text)) / 2;
    } else if (S == -1) {
        S = (A.Client - M - A.Glyph - A.Text) / 2;
    }
    const bool GlyphFirst = Layout == blGlyphLeft || Layout == blGlyphTop;
    const int GlyphAlong = GlyphFirst ? M : A.Client - M - A.Glyph;
    const int TextAlong = GlyphFirst ? GlyphAlong + A.Glyph + S : GlyphAlong - S - A.Text;

    TGlyphPlacement P;
    P.Glyph = Horizontal ? POINT{GlyphAlong, GlyphCross} : POINT{GlyphCross, GlyphAlong};
    const POINT T = Horizontal ? POINT{TextAlong, TextCross} : POINT{TextCross, TextAlong};
    P.Text = RECT{T.x, T.y, T.x + Text.cx, T.y + Text.cy};
    P.TextFormat = Layout == blGlyphLeft ? DT_LEFT : Layout == blGlyphRight ? DT_RIGHT : DT_CENTER;
    return P;
}

TButtonGlyph::TButtonGlyph()
{
    FBitmap.OnChange = TNotifyEvent(this, &TButtonGlyph::Changed);
}

void TButtonGlyph::SetNumGlyphs(int Value)
{
    Value = std::clamp(Value, 1, 4);
    if (Value == FNumGlyphs)
        return;
    FNumGlyphs = Value;
    Changed(nullptr);
}

void TButtonGlyph::SetLayout(TButtonLayout Value)
{
    if (Value == FLayout)
        return;
    FLayout = Value;
    Changed(nullptr);
}

void TButtonGlyph::SetMargin(int Value)
{
    Value = std::max(Value, -1);
    if (Value == FMargin)
        return;
    FMargin = Value;
    Changed(nullptr);
}

void TButtonGlyph::SetSpacing(int Value)
{
    Value = std::max(Value, -1);
    if (Value == FSpacing)
        return;
    FSpacing = Value;
    Changed(nullptr);
}

SIZE TButtonGlyph::ImageSize() const
{
    if (FBitmap.Empty())
        return SIZE{0, 0};
    return SIZE{FBitmap.Width() / FNumGlyphs, FBitmap.Height()};
}

void TButtonGlyph::DrawImage(HDC DC, POINT At, TButtonState State) const
{
    const SIZE Size = ImageSize();
    if (Size.cx <= 0 || Size.cy <= 0)
        return;
    const HDC Source = FBitmap.Canvas()->Handle();
    const COLORREF Transparent = ColorToRGB(FBitmap.TransparentColor());
    if (State == bsDisabled && FNumGlyphs < 2) {
        DrawEmbossed(DC, At, Source, RECT{0, 0, Size.cx, Size.cy}, Transparent);
        return;
    }
    const int Index = int(State) < FNumGlyphs ? int(State) : int(bsUp);
    GdiTransparentBlt(DC, At.x, At.y, Size.cx, Size.cy, Source, Index * Size.cx, 0, Size.cx, Size.cy, Transparent);
}

void TButtonGlyph::Draw(HDC DC, const RECT& Client, const std::string& Caption, TButtonState State,
                        POINT Offset) const
{
    const SIZE ClientSize{Client.right - Client.left, Client.bottom - Client.top};
    const TGlyphPlacement P = PlaceGlyphAndText(ClientSize, ImageSize(), TextSize(DC, Caption, Client), FLayout,
                                                FMargin, FSpacing);
    const POINT Origin{Client.left + Offset.x, Client.top + Offset.y};
    DrawImage(DC, POINT{Origin.x + P.Glyph.x, Origin.y + P.Glyph.y}, State);
    if (Caption.empty())
        return;
    RECT Text = P.Text;
    OffsetRect(&Text, Origin.x, Origin.y);
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    const COLORREF OldColor = GetTextColor(DC);
    if (State == bsDisabled) {
        RECT Relief = Text;
        OffsetRect(&Relief, 1, 1);
        PaintText(DC, Caption, Relief, P.TextFormat, GetSysColor(COLOR_BTNHIGHLIGHT));
        PaintText(DC, Caption, Text, P.TextFormat, GetSysColor(COLOR_BTNSHADOW));
    } else {
        PaintText(DC, Caption, Text, P.TextFormat, OldColor);
    }
    SetTextColor(DC, OldColor);
    SetBkMode(DC, OldMode);
}
