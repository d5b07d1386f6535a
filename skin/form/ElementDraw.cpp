#include "skin/form/ElementDraw.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/graphics/GdiHolders.h"
#include "skin/data/SkinObjects.h"

// What nonsense from a skin gets: a frame count below 1 counts as 1 and the frame is
// clamped into 1..FrameCount; a frame cell without pixels (more frames than columns, an
// empty bitmap) draws nothing; negative margins count as 0, and a pair of margins (left and
// right, or top and bottom) that is wider than the frame cell counts as 0, as a pair that
// does not fit the destination does; empty or inverted rectangles and rectangles of more
// than MaxArea pixels draw nothing (and build no bitmap).

namespace {

constexpr int64_t MaxArea = int64_t(64) << 20;

int Width(const RECT& R)
{
    return R.right - R.left;
}

int Height(const RECT& R)
{
    return R.bottom - R.top;
}

bool Drawable(const RECT& R)
{
    const int64_t W = int64_t(R.right) - R.left, H = int64_t(R.bottom) - R.top;
    return W > 0 && H > 0 && W <= MaxArea && H <= MaxArea && W * H <= MaxArea;
}

RECT XYWH(int X, int Y, int W, int H)
{
    return RECT{X, Y, X + W, Y + H};
}

// Frame Frame of FrameCount frames of Bitmap, side by side or one above the other; false
// when the cell has no pixels.
bool FrameCell(TBitmap& Bitmap, bool Vertical, int FrameCount, int Frame, RECT& Cell)
{
    if (Bitmap.Empty())
        return false;
    const int Count = std::max(FrameCount, 1);
    const int Index = std::clamp(Frame, 1, Count) - 1;
    const int Size = (Vertical ? Bitmap.Height() : Bitmap.Width()) / Count;
    if (Size <= 0)
        return false;
    Cell = Vertical ? XYWH(0, Index * Size, Bitmap.Width(), Size) : XYWH(Index * Size, 0, Size, Bitmap.Height());
    return true;
}

// Margins not below 0, each pair zeroed when it is wider than Width (or higher than Height).
TMargins FitMargins(const TMargins& M, int Width, int Height)
{
    TMargins F{std::max(M.Left, 0), std::max(M.Top, 0), std::max(M.Right, 0), std::max(M.Bottom, 0)};
    if (int64_t(F.Left) + F.Right > Width)
        F.Left = F.Right = 0;
    if (int64_t(F.Top) + F.Bottom > Height)
        F.Top = F.Bottom = 0;
    return F;
}

struct TPiece {
    RECT Dest;
    RECT Source;
    bool Centre;
};

// The nine-part cut of Cell fitted to W x H, in drawing order: top-left, bottom-left and
// top-right corners; left and top edges; centre; bottom-right corner; right and bottom
// edges. Corners and edges with a zero margin and pieces without pixels are left out.
class TNineParts {
public:
    TNineParts(const RECT& Cell, int W, int H, const TMargins& Margins)
    {
        const TMargins M = FitMargins(Margins, std::min(Width(Cell), W), std::min(Height(Cell), H));
        const int L = M.Left, T = M.Top, R = M.Right, B = M.Bottom;
        const int SX = Cell.left, SY = Cell.top, SW = Width(Cell), SH = Height(Cell);
        const int MW = W - L - R, MH = H - T - B, SMW = SW - L - R, SMH = SH - T - B;
        Add(XYWH(0, 0, L, T), XYWH(SX, SY, L, T));
        Add(XYWH(0, H - B, L, B), XYWH(SX, SY + SH - B, L, B));
        Add(XYWH(W - R, 0, R, T), XYWH(SX + SW - R, SY, R, T));
        Add(XYWH(0, T, L, MH), XYWH(SX, SY + T, L, SMH));
        Add(XYWH(L, 0, MW, T), XYWH(SX + L, SY, SMW, T));
        Add(XYWH(L, T, MW, MH), XYWH(SX + L, SY + T, SMW, SMH), true);
        Add(XYWH(W - R, H - B, R, B), XYWH(SX + SW - R, SY + SH - B, R, B));
        Add(XYWH(W - R, T, R, MH), XYWH(SX + SW - R, SY + T, R, SMH));
        Add(XYWH(L, H - B, MW, B), XYWH(SX + L, SY + SH - B, SMW, B));
    }
    const TPiece* begin() const { return FPieces.data(); }
    const TPiece* end() const { return FPieces.data() + FCount; }

private:
    void Add(const RECT& Dest, const RECT& Source, bool Centre = false)
    {
        if (Width(Dest) > 0 && Height(Dest) > 0 && Width(Source) > 0 && Height(Source) > 0)
            FPieces[FCount++] = TPiece{Dest, Source, Centre};
    }
    std::array<TPiece, 9> FPieces{};
    int FCount = 0;
};

void StretchPiece(HDC Dest, const RECT& To, HDC Source, const RECT& From)
{
    StretchBlt(Dest, To.left, To.top, Width(To), Height(To), Source, From.left, From.top, Width(From), Height(From),
               SRCCOPY);
}

RECT Offset(RECT R, int DX, int DY)
{
    OffsetRect(&R, DX, DY);
    return R;
}

// COLORONCOLOR on a DC for a scope.
class TStretchMode {
public:
    explicit TStretchMode(HDC DC) : FDC(DC), FOld(SetStretchBltMode(DC, COLORONCOLOR)) {}
    ~TStretchMode()
    {
        if (FOld)
            SetStretchBltMode(FDC, FOld);
    }
    TStretchMode(const TStretchMode&) = delete;
    TStretchMode& operator=(const TStretchMode&) = delete;

private:
    HDC FDC;
    int FOld;
};

// Copies W x H pixels from Source at (SX, SY) to DC at (X, Y), leaving the destination
// where the source has the key colour.
// The 24- or 32-bit DIB section selected in DC.
bool SelectedDib(HDC DC, DIBSECTION& Dib)
{
    const HGDIOBJ Bitmap = GetCurrentObject(DC, OBJ_BITMAP);
    return Bitmap && GetObjectA(Bitmap, sizeof Dib, &Dib) == int(sizeof Dib) && Dib.dsBm.bmBits &&
           (Dib.dsBm.bmBitsPixel == 24 || Dib.dsBm.bmBitsPixel == 32);
}

uint8_t* DibPixel(const DIBSECTION& Dib, int X, int Y)
{
    const int Row = Dib.dsBmih.biHeight > 0 ? Dib.dsBm.bmHeight - 1 - Y : Y;
    return static_cast<uint8_t*>(Dib.dsBm.bmBits) + size_t(Row) * size_t(Dib.dsBm.bmWidthBytes) +
           size_t(X) * size_t(Dib.dsBm.bmBitsPixel / 8);
}

// The copy of MaskedCopy done on the pixels of the two DIB sections, for bitmap DCs without a
// clip region or a moved origin (where GDI's masking costs a hundred times more); false when
// it does not apply.
bool KeyedPixelCopy(HDC DC, int X, int Y, int W, int H, HDC Source, int SX, int SY, COLORREF Key)
{
    DIBSECTION To{}, From{};
    if (!SelectedDib(DC, To) || !SelectedDib(Source, From))
        return false;
    POINT Viewport{}, Window{};
    GetViewportOrgEx(DC, &Viewport);
    GetWindowOrgEx(DC, &Window);
    TRegionHandle Clip(CreateRectRgn(0, 0, 0, 0));
    if (Viewport.x || Viewport.y || Window.x || Window.y || GetClipRgn(DC, Clip.Get()) != 0 ||
        GetGraphicsMode(DC) != GM_COMPATIBLE)
        return false;
    // Only what lies inside both bitmaps.
    const int Left = std::max({0, -X, -SX}), Top = std::max({0, -Y, -SY});
    const int Right = std::min({W, int(To.dsBm.bmWidth) - X, int(From.dsBm.bmWidth) - SX});
    const int Bottom = std::min({H, int(To.dsBm.bmHeight) - Y, int(From.dsBm.bmHeight) - SY});
    GdiFlush();
    const int ToBytes = To.dsBm.bmBitsPixel / 8, FromBytes = From.dsBm.bmBitsPixel / 8;
    const uint8_t KeyB = GetBValue(Key), KeyG = GetGValue(Key), KeyR = GetRValue(Key);
    for (int Row = Top; Row < Bottom; ++Row) {
        const uint8_t* S = DibPixel(From, SX + Left, SY + Row);
        uint8_t* D = DibPixel(To, X + Left, Y + Row);
        for (int Col = Left; Col < Right; ++Col, S += FromBytes, D += ToBytes)
            if (S[0] != KeyB || S[1] != KeyG || S[2] != KeyR) {
                D[0] = S[0];
                D[1] = S[1];
                D[2] = S[2];
            }
    }
    return true;
}

void MaskedCopy(HDC DC, int X, int Y, int W, int H, HDC Source, int SX, int SY, COLORREF Key)
{
    if (KeyedPixelCopy(DC, X, Y, W, H, Source, SX, SY, Key))
        return;
    TGdiObject<HBITMAP> Mask(CreateBitmap(W, H, 1, 1, nullptr));
    if (!Mask)
        return;
    {
        // A colour-to-monochrome copy sets the pixels of the source's background colour.
        TMemoryDC MaskDC(Mask.Get());
        const COLORREF OldBk = SetBkColor(Source, Key);
        BitBlt(MaskDC.Handle(), 0, 0, W, H, Source, SX, SY, SRCCOPY);
        SetBkColor(Source, OldBk);
    }
    constexpr DWORD KeepDest = 0x00AA0029;
    MaskBlt(DC, X, Y, W, H, Source, SX, SY, Mask.Get(), 0, 0, MAKEROP4(KeepDest, SRCCOPY));
}

// Whether SourceRect of the bitmap selected in Source holds the key colour; true when that
// cannot be told from its pixels (a bitmap that is not a 24- or 32-bit DIB section).
bool HoldsKeyColour(HDC Source, const RECT& SourceRect, COLORREF Key)
{
    DIBSECTION Dib{};
    const HGDIOBJ Bitmap = GetCurrentObject(Source, OBJ_BITMAP);
    if (!Bitmap || GetObjectA(Bitmap, sizeof Dib, &Dib) != int(sizeof Dib) || !Dib.dsBm.bmBits)
        return true;
    const int Bytes = Dib.dsBm.bmBitsPixel / 8;
    if (Bytes != 3 && Bytes != 4)
        return true;
    RECT R;
    const RECT Whole = XYWH(0, 0, Dib.dsBm.bmWidth, Dib.dsBm.bmHeight);
    if (!IntersectRect(&R, &SourceRect, &Whole))
        return false;
    GdiFlush();
    const bool BottomUp = Dib.dsBmih.biHeight > 0;
    const auto* Bits = static_cast<const uint8_t*>(Dib.dsBm.bmBits);
    const uint8_t KeyB = GetBValue(Key), KeyG = GetGValue(Key), KeyR = GetRValue(Key);
    for (int Y = R.top; Y < R.bottom; ++Y) {
        const int Row = BottomUp ? Dib.dsBm.bmHeight - 1 - Y : Y;
        const uint8_t* P = Bits + size_t(Row) * size_t(Dib.dsBm.bmWidthBytes) + size_t(R.left) * size_t(Bytes);
        for (int X = R.left; X < R.right; ++X, P += Bytes)
            if (P[0] == KeyB && P[1] == KeyG && P[2] == KeyR)
                return true;
    }
    return false;
}

// SourceRect of Source stretched into Rect of DC, opaque or with the key colour transparent.
// A cell without the key colour is copied opaque: masking costs far more than looking.
void DrawCell(HDC DC, const RECT& Rect, HDC Source, const RECT& SourceRect, bool Transparent, COLORREF Key)
{
    const int W = Width(Rect), H = Height(Rect);
    if (!Transparent || !HoldsKeyColour(Source, SourceRect, Key)) {
        TStretchMode Mode(DC);
        StretchPiece(DC, Rect, Source, SourceRect);
    } else if (W == Width(SourceRect) && H == Height(SourceRect)) {
        MaskedCopy(DC, Rect.left, Rect.top, W, H, Source, SourceRect.left, SourceRect.top, Key);
    } else {
        TMemoryBitmap Temp(W, H);
        if (!Temp.DC())
            return;
        SetStretchBltMode(Temp.DC(), COLORONCOLOR);
        StretchPiece(Temp.DC(), XYWH(0, 0, W, H), Source, SourceRect);
        MaskedCopy(DC, Rect.left, Rect.top, W, H, Temp.DC(), 0, 0, Key);
    }
}

// Fills Area of DC with copies of the PieceW x PieceH piece already drawn at its top-left,
// doubling the filled part at each copy: along the top rows first, then downwards. It copies
// from the destination itself, so DC must be readable everywhere: a bitmap's, as it is for
// every caller.
void RepeatPiece(HDC DC, const RECT& Area, int PieceW, int PieceH)
{
    const int W = Width(Area), H = Height(Area);
    for (int Filled = PieceW; Filled < W;) {
        const int N = std::min(Filled, W - Filled);
        BitBlt(DC, Area.left + Filled, Area.top, N, std::min(PieceH, H), DC, Area.left, Area.top, SRCCOPY);
        Filled += N;
    }
    for (int Filled = PieceH; Filled < H;) {
        const int N = std::min(Filled, H - Filled);
        BitBlt(DC, Area.left, Area.top + Filled, W, N, DC, Area.left, Area.top, SRCCOPY);
        Filled += N;
    }
}

// SourceRect of Source repeated over DestRect of DC from its top-left, at its own size.
void TileInto(HDC DC, const RECT& DestRect, HDC Source, const RECT& SourceRect)
{
    const int PieceW = Width(SourceRect), PieceH = Height(SourceRect);
    BitBlt(DC, DestRect.left, DestRect.top, std::min(PieceW, Width(DestRect)), std::min(PieceH, Height(DestRect)),
           Source, SourceRect.left, SourceRect.top, SRCCOPY);
    RepeatPiece(DC, DestRect, PieceW, PieceH);
}

// Rectangles of a region collected for ExtCreateRegion: a RGNDATAHEADER followed by the
// rectangles, turned into a region and merged into the result every MaxRects rectangles.
class TRegionBuilder {
public:
    TRegionBuilder() : FResult(CreateRectRgn(0, 0, 0, 0)) { FBuffer.reserve(Bytes(GrowBy)); }

    void Add(const RECT& R)
    {
        if (FCount == 0)
            FBound = R;
        else
            UnionRect(&FBound, &FBound, &R);
        if (FBuffer.size() < Bytes(FCount + 1))
            FBuffer.resize(Bytes(FCount + GrowBy));
        std::memcpy(FBuffer.data() + Bytes(FCount), &R, sizeof R);
        if (++FCount == MaxRects)
            Flush();
    }

    HRGN Finish()
    {
        Flush();
        return FResult.Release();
    }

private:
    static constexpr DWORD GrowBy = 500;
    static constexpr DWORD MaxRects = 2000;
    static size_t Bytes(DWORD Count) { return sizeof(RGNDATAHEADER) + Count * sizeof(RECT); }

    void Flush()
    {
        if (FCount == 0)
            return;
        RGNDATAHEADER Header{};
        Header.dwSize = sizeof Header;
        Header.iType = RDH_RECTANGLES;
        Header.nCount = FCount;
        Header.nRgnSize = FCount * sizeof(RECT);
        Header.rcBound = FBound;
        std::memcpy(FBuffer.data(), &Header, sizeof Header);
        TRegionHandle Part(
            ExtCreateRegion(nullptr, DWORD(Bytes(FCount)), reinterpret_cast<const RGNDATA*>(FBuffer.data())));
        if (Part)
            CombineRgn(FResult.Get(), FResult.Get(), Part.Get(), RGN_OR);
        FCount = 0;
    }

    TRegionHandle FResult;
    std::vector<uint8_t> FBuffer;
    DWORD FCount = 0;
    RECT FBound{};
};

// The scratch bitmap and the number of its users.
struct TScratch {
    int Users = 0;
    std::unique_ptr<TBitmap> Bitmap;
};

// Made before the program starts, so that it outlives the skin manager, which ends it from
// its own end-of-program finalizer.
TScratch ScratchState;

TScratch& Scratch()
{
    return ScratchState;
}

}  // namespace

TMargins ElementMargins(const TDataSkinObject& Element)
{
    return TMargins{Element.LeftWidth, Element.TopHeight, Element.RightWidth, Element.BottomHeight};
}

std::unique_ptr<TBitmap> BuildElementBitmap(const RECT& DestRect, TBitmap& Bitmap, const TMargins& Margins,
                                            bool Vertical, bool Tile, int FrameCount, int Frame)
{
    RECT Cell;
    if (!Drawable(DestRect) || !FrameCell(Bitmap, Vertical, FrameCount, Frame, Cell))
        return nullptr;
    const int W = Width(DestRect), H = Height(DestRect);
    auto Result = std::make_unique<TBitmap>();
    Result->SetSize(W, H);
    const HDC Source = Bitmap.Canvas()->Handle();
    TMemoryDC Dest(Result->Handle());
    SetStretchBltMode(Dest.Handle(), COLORONCOLOR);
    for (const TPiece& P : TNineParts(Cell, W, H, Margins)) {
        if (P.Centre && Tile)
            TileInto(Dest.Handle(), P.Dest, Source, P.Source);
        else
            StretchPiece(Dest.Handle(), P.Dest, Source, P.Source);
    }
    return Result;
}

void DrawTransparent(HDC DC, const RECT& Rect, TBitmap& Bitmap, COLORREF KeyColour)
{
    if (!Drawable(Rect) || Bitmap.Empty())
        return;
    DrawCell(DC, Rect, Bitmap.Canvas()->Handle(), XYWH(0, 0, Bitmap.Width(), Bitmap.Height()), true, KeyColour);
}

void DrawElement(HDC DC, const RECT& Rect, const TDataSkinObject& Element, int FrameCount, int Frame)
{
    if (Element.Bitmap)
        DrawElement(DC, Rect, *Element.Bitmap, false, Element.Tile != 0, Element.Trans == 1, FrameCount, Frame,
                    ElementMargins(Element));
}

void DrawElement(HDC DC, const RECT& Rect, TBitmap& Bitmap, bool Vertical, bool Tile, bool Transparent,
                 int FrameCount, int Frame, const TMargins& Margins)
{
    const std::unique_ptr<TBitmap> Built = BuildElementBitmap(Rect, Bitmap, Margins, Vertical, Tile, FrameCount, Frame);
    if (!Built)
        return;
    TMemoryDC Source(Built->Handle());
    DrawCell(DC, Rect, Source.Handle(), XYWH(0, 0, Width(Rect), Height(Rect)), Transparent, SkinKeyColour);
}

void DrawElementStrip(TCanvas& Canvas, const RECT& Rect, TBitmap& Bitmap, const TMargins& Margins, int Frame,
                      int FrameCount, bool Transparent, bool Vertical)
{
    RECT Cell;
    if (!Drawable(Rect) || !FrameCell(Bitmap, Vertical, FrameCount, Frame, Cell))
        return;
    const int W = Width(Rect), H = Height(Rect), CellH = Height(Cell);
    const TMargins M = FitMargins(Margins, Width(Cell), CellH);
    const int Middle = Width(Cell) - M.Left - M.Right;
    TMemoryBitmap Strip(W, H);
    if (!Strip.DC())
        return;
    SetStretchBltMode(Strip.DC(), COLORONCOLOR);
    const HDC Source = Bitmap.Canvas()->Handle();
    StretchPiece(Strip.DC(), XYWH(0, 0, M.Left, H), Source, XYWH(Cell.left, Cell.top, M.Left, CellH));
    if (Middle > 0 && M.Left < W - M.Right) {
        StretchPiece(Strip.DC(), XYWH(M.Left, 0, Middle, H), Source, XYWH(Cell.left + M.Left, Cell.top, Middle, CellH));
        RepeatPiece(Strip.DC(), RECT{M.Left, 0, W - M.Right, H}, Middle, H);
    }
    StretchPiece(Strip.DC(), XYWH(W - M.Right, 0, M.Right, H), Source,
                 XYWH(Cell.right - M.Right, Cell.top, M.Right, CellH));
    DrawCell(Canvas.Handle(), Rect, Strip.DC(), XYWH(0, 0, W, H), Transparent, SkinKeyColour);
}

void DrawFrameCell(HDC DC, const RECT& Rect, TBitmap& Bitmap, bool Transparent, int FrameCount, int Frame)
{
    RECT Cell;
    if (Drawable(Rect) && FrameCell(Bitmap, false, FrameCount, Frame, Cell))
        DrawCell(DC, Rect, Bitmap.Canvas()->Handle(), Cell, Transparent, SkinKeyColour);
}

void TileBitmap(TCanvas& Canvas, const RECT& DestRect, TBitmap& Bitmap, const RECT& SourceRect)
{
    const RECT Whole = XYWH(0, 0, Bitmap.Width(), Bitmap.Height());
    RECT Source;
    if (Drawable(DestRect) && IntersectRect(&Source, &SourceRect, &Whole))
        TileInto(Canvas.Handle(), DestRect, Bitmap.Canvas()->Handle(), Source);
}

void DrawElementDirect(HDC DC, const RECT& Rect, TBitmap& Bitmap, bool Vertical, int FrameCount, int Frame,
                       const TMargins& Margins)
{
    RECT Cell;
    if (!Drawable(Rect) || !FrameCell(Bitmap, Vertical, FrameCount, Frame, Cell))
        return;
    const HDC Source = Bitmap.Canvas()->Handle();
    TStretchMode Mode(DC);
    for (const TPiece& P : TNineParts(Cell, Width(Rect), Height(Rect), Margins))
        if (!P.Centre)
            StretchPiece(DC, Offset(P.Dest, Rect.left, Rect.top), Source, P.Source);
}

HRGN RegionFromBitmap(TBitmap& Bitmap, int DX, int DY, int TolBlue, int TolGreen, int TolRed, COLORREF KeyColour)
{
    TRegionBuilder Region;
    if (Bitmap.Empty())
        return Region.Finish();
    TBitmap Converted;
    TBitmap* Pixels = &Bitmap;
    if (Bitmap.BitCount() != 32) {
        Converted.Assign(Bitmap);
        Converted.SetPixelFormat(pf32bit);
        Pixels = &Converted;
    }
    // Each key component and the tolerance above it; a negative tolerance counts as 0.
    struct TRange {
        int Low, High;
        bool Holds(uint32_t V) const { return int(V) >= Low && int(V) <= High; }
    };
    auto RangeOf = [](int Key, int Tol) { return TRange{Key, std::min(255, Key + std::clamp(Tol, 0, 255))}; };
    const TRange Red = RangeOf(GetRValue(KeyColour), TolRed), Green = RangeOf(GetGValue(KeyColour), TolGreen),
                 Blue = RangeOf(GetBValue(KeyColour), TolBlue);
    auto Transparent = [&](uint32_t P) {
        return Blue.Holds(P & 0xFF) && Green.Holds(P >> 8 & 0xFF) && Red.Holds(P >> 16 & 0xFF);
    };
    const int W = Pixels->Width();
    for (int Y = 0; Y < Pixels->Height(); ++Y) {
        const uint32_t* Row = static_cast<const uint32_t*>(Pixels->ScanLine(Y));
        for (int X = 0; X < W;) {
            while (X < W && Transparent(Row[X]))
                ++X;
            const int Start = X;
            while (X < W && !Transparent(Row[X]))
                ++X;
            if (X > Start)
                Region.Add(RECT{Start + DX, Y + DY, X + DX, Y + DY + 1});
        }
    }
    return Region.Finish();
}

void StartScratchBitmap()
{
    TScratch& S = Scratch();
    if (S.Users++ == 0) {
        S.Bitmap = std::make_unique<TBitmap>();
        SetStretchBltMode(S.Bitmap->Canvas()->Handle(), COLORONCOLOR);
    }
}

void EndScratchBitmap()
{
    TScratch& S = Scratch();
    if (S.Users > 0 && --S.Users == 0)
        S.Bitmap.reset();
}

TBitmap* ScratchBitmap()
{
    return Scratch().Bitmap.get();
}
