#include "framework/graphics/Bitmap.h"

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/graphics/BmpFile.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GdiHolders.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace {

int BitCountOf(TPixelFormat Format)
{
    switch (Format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
    }
}

TPixelFormat FormatOf(int BitCount)
{
    switch (BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

// Black and white; the 16 VGA colours; a 6 x 6 x 6 colour cube and 40 greys.
std::vector<uint32_t> DefaultPalette(int BitCount)
{
    if (BitCount == 1)
        return {0x000000, 0xFFFFFF};
    if (BitCount == 4)
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    if (BitCount != 8)
        return {};
    std::vector<uint32_t> P;
    for (uint32_t R = 0; R < 6; ++R)
        for (uint32_t G = 0; G < 6; ++G)
            for (uint32_t B = 0; B < 6; ++B)
                P.push_back((R * 51) << 16 | (G * 51) << 8 | B * 51);
    for (uint32_t I = 0; P.size() < 256; ++I) {
        const uint32_t V = 6 + I * 6;
        P.push_back(V << 16 | V << 8 | V);
    }
    return P;
}

}  // namespace

PANTREL_REGISTER(TBitmapCanvas, TCanvas)
PANTREL_REGISTER(TBitmap, TGraphic)

TBitmapCanvas::~TBitmapCanvas()
{
    ReleaseBitmap();
    if (FDC)
        DeleteDC(FDC);
}

void TBitmapCanvas::ReleaseBitmap()
{
    SetHandle(nullptr);
    if (FOldBitmap)
        SelectObject(FDC, FOldBitmap);
    FOldBitmap = nullptr;
}

void TBitmapCanvas::CreateHandle()
{
    if (!FDC)
        FDC = CreateCompatibleDC(nullptr);
    if (!FDC)
        throw EOutOfResources("Out of system resources");
    FBitmap.HandleNeeded();
    if (FBitmap.FHandle)
        FOldBitmap = SelectObject(FDC, FBitmap.FHandle);
    SetHandle(FDC);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    FCanvas.reset();
    if (FHandle)
        DeleteObject(FHandle);
}

void TBitmap::Assign(const TPersistent& Source)
{
    if (&Source == this)
        return;
    if (const TBitmap* Other = dynamic_cast<const TBitmap*>(&Source)) {
        FPixelFormat = Other->FPixelFormat;
        FPalette = Other->FPalette;
        FTransparent = Other->FTransparent;
        FTransparentMode = Other->FTransparentMode;
        FTransparentColor = Other->FTransparentColor;
        if (!Other->FHandle) {
            ReplaceDib(nullptr, nullptr, 0, 0);
            FImage = Other->FImage;
            FWidth = Other->FWidth;
            FHeight = Other->FHeight;
        } else {
            void* Bits = nullptr;
            const HBITMAP Copy = CreateDib(Other->FWidth, Other->FHeight, Bits);
            GdiFlush();
            std::memcpy(Bits, Other->FBits, Other->Stride() * size_t(Other->FHeight));
            ReplaceDib(Copy, Bits, Other->FWidth, Other->FHeight);
        }
        Changed();
        return;
    }
    if (const TGraphic* Graphic = dynamic_cast<const TGraphic*>(&Source)) {
        SetSize(Graphic->Width(), Graphic->Height());
        if (!Empty()) {
            Canvas()->Brush()->SetColor(clWhite);
            Canvas()->FillRect(RECT{0, 0, FWidth, FHeight});
            // Drawing does not change the source; TGraphic::Draw is not const only because
            // pictures make their drawing resources on demand.
            Canvas()->Draw(0, 0, const_cast<TGraphic&>(*Graphic));
        }
        Changed();
        return;
    }
    inherited::Assign(Source);
}

TGraphic* TBitmap::Clone() const
{
    TBitmap* Copy = new TBitmap;
    Copy->Assign(*this);
    return Copy;
}

int TBitmap::BitCount() const
{
    return BitCountOf(FPixelFormat);
}

HBITMAP TBitmap::CreateDib(int AWidth, int AHeight, void*& Bits) const
{
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[256];
    } Info{};
    Info.Header.biSize = sizeof Info.Header;
    Info.Header.biWidth = AWidth;
    Info.Header.biHeight = AHeight;
    Info.Header.biPlanes = 1;
    Info.Header.biBitCount = WORD(BitCount());
    Info.Header.biCompression = BI_RGB;
    Info.Header.biClrUsed = DWORD(FPalette.size());
    std::memcpy(Info.Colors, FPalette.data(), FPalette.size() * sizeof(uint32_t));
    Bits = nullptr;
    const HBITMAP Result =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&Info), DIB_RGB_COLORS, &Bits, nullptr, 0);
    if (!Result)
        throw EOutOfResources("Cannot create a bitmap of " + std::to_string(AWidth) + " x " +
                              std::to_string(AHeight) + " pixels");
    return Result;
}

void TBitmap::ReplaceDib(HBITMAP NewHandle, void* NewBits, int AWidth, int AHeight)
{
    if (FCanvas)
        FCanvas->ReleaseBitmap();
    if (FHandle)
        DeleteObject(FHandle);
    FImage = TPixelImage();
    FHandle = NewHandle;
    FBits = NewBits;
    FWidth = NewHandle ? AWidth : 0;
    FHeight = NewHandle ? AHeight : 0;
}

void TBitmap::HandleNeeded()
{
    if (FHandle || FImage.Pixels.empty())
        return;
    void* Bits = nullptr;
    const HBITMAP New = CreateDib(FWidth, FHeight, Bits);
    uint8_t* Dest = static_cast<uint8_t*>(Bits);
    const size_t RowBytes = FImage.RowBytes();
    for (int Y = 0; Y < FHeight; ++Y)
        std::memcpy(Dest + RowBytes * size_t(FHeight - 1 - Y), FImage.Row(Y), RowBytes);
    ReplaceDib(New, Bits, FWidth, FHeight);
}

uint8_t* TBitmap::Row(int Y) const
{
    if (!FHandle)
        return const_cast<uint8_t*>(FImage.Row(Y));
    return static_cast<uint8_t*>(FBits) + Stride() * size_t(FHeight - 1 - Y);
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    if (AWidth <= 0 || AHeight <= 0) {
        ReplaceDib(nullptr, nullptr, 0, 0);
        Changed();
        return;
    }
    if (FPalette.empty())
        FPalette = DefaultPalette(BitCount());
    void* Bits = nullptr;
    const HBITMAP New = CreateDib(AWidth, AHeight, Bits);
    if (!Empty()) {
        GdiFlush();
        const size_t NewStride = TPixelImage::RowBytesFor(AWidth, BitCount());
        const size_t Bytes = std::min(Stride(), NewStride);
        uint8_t* Dest = static_cast<uint8_t*>(Bits);
        for (int Y = 0; Y < std::min(AHeight, FHeight); ++Y)
            std::memcpy(Dest + NewStride * size_t(AHeight - 1 - Y), Row(Y), Bytes);
    }
    ReplaceDib(New, Bits, AWidth, AHeight);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (Value == FPixelFormat)
        return;
    // GDI converts the pixels, from a DIB section in the old format.
    const bool Convert = !Empty() && BitCount() != BitCountOf(Value);
    const HBITMAP Old = Convert ? Handle() : nullptr;
    const TPixelFormat OldFormat = FPixelFormat;
    std::vector<uint32_t> OldPalette = FPalette;
    FPixelFormat = Value;
    FPalette = DefaultPalette(BitCount());
    if (Convert) {
        void* Bits = nullptr;
        HBITMAP New = nullptr;
        try {
            New = CreateDib(FWidth, FHeight, Bits);
        } catch (...) {
            FPixelFormat = OldFormat;
            FPalette = std::move(OldPalette);
            throw;
        }
        {
            TMemoryDC From(Old), To(New);
            BitBlt(To.Handle(), 0, 0, FWidth, FHeight, From.Handle(), 0, 0, SRCCOPY);
        }
        ReplaceDib(New, Bits, FWidth, FHeight);
    }
    Changed();
}

void* TBitmap::ScanLine(int Y)
{
    if (Empty() || Y < 0 || Y >= FHeight)
        throw EInvalidGraphic("Scan line index out of range");
    if (FHandle)
        GdiFlush();
    return Row(Y);
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas)
        FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return FCanvas.get();
}

HBITMAP TBitmap::Handle()
{
    HandleNeeded();
    if (FCanvas)
        FCanvas->ReleaseBitmap();
    return FHandle;
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    FTransparentMode = Value;
    Changed();
}

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    return Empty() ? clDefault : Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FTransparentMode = tmFixed;
    Changed();
}

void TBitmap::LoadFromStream(TStream& Stream)
{
    const std::vector<uint8_t> Bytes = ReadRest(Stream);
    if (Bytes.empty()) {
        ReplaceDib(nullptr, nullptr, 0, 0);
        Changed();
        return;
    }
    LoadFromImage(ReadBmpFile(Bytes.data(), Bytes.size()));
}

void TBitmap::SaveToStream(TStream& Stream) const
{
    if (Empty())
        return;
    const std::vector<uint8_t> Bytes = WriteBmpFile(ToImage());
    Stream.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const std::string& Name)
{
    const HRSRC Resource = FindResourceA(Instance, Name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
    const HGLOBAL Loaded = Resource ? LoadResource(Instance, Resource) : nullptr;
    const void* Data = Loaded ? LockResource(Loaded) : nullptr;
    if (!Data)
        throw EInvalidGraphic("Bitmap resource \"" + Name + "\" not found");
    LoadFromImage(ReadDib(static_cast<const uint8_t*>(Data), SizeofResource(Instance, Resource)));
}

void TBitmap::LoadFromImage(TPixelImage Image)
{
    ReplaceDib(nullptr, nullptr, 0, 0);
    FPixelFormat = FormatOf(Image.BitCount);
    FPalette = Image.Palette;
    if (!Image.Pixels.empty()) {
        FWidth = Image.Width;
        FHeight = Image.Height;
        FImage = std::move(Image);
    }
    Changed();
}

TPixelImage TBitmap::ToImage() const
{
    if (!FHandle)
        return FImage;
    TPixelImage Image;
    Image.Allocate(FWidth, FHeight, BitCount());
    std::copy(FPalette.begin(), FPalette.begin() + long(std::min(FPalette.size(), Image.Palette.size())),
              Image.Palette.begin());
    GdiFlush();
    for (int Y = 0; Y < FHeight; ++Y)
        std::memcpy(Image.Row(Y), Row(Y), Image.RowBytes());
    return Image;
}

void TBitmap::Draw(TCanvas& ACanvas, const RECT& Rect)
{
    const HDC Dest = ACanvas.Handle();
    const HDC Source = Canvas()->Handle();
    const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
    if (FTransparent)
        GdiTransparentBlt(Dest, Rect.left, Rect.top, W, H, Source, 0, 0, FWidth, FHeight,
                          ColorToRGB(TransparentColor()));
    else
        StretchBlt(Dest, Rect.left, Rect.top, W, H, Source, 0, 0, FWidth, FHeight, ACanvas.CopyMode());
}

TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor)
{
    static std::map<std::pair<TColor, TColor>, std::unique_ptr<TBitmap>> Patterns;
    std::unique_ptr<TBitmap>& Pattern = Patterns[{BkColor, FgColor}];
    if (!Pattern) {
        Pattern = std::make_unique<TBitmap>();
        Pattern->SetPixelFormat(pf24bit);
        Pattern->SetSize(8, 8);
        for (int Y = 0; Y < 8; ++Y)
            for (int X = 0; X < 8; ++X)
                Pattern->Canvas()->SetPixels(X, Y, (X + Y) % 2 ? FgColor : BkColor);
    }
    return Pattern.get();
}
