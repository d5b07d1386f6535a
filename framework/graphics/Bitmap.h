#pragma once
// TBitmap: a picture held as a DIB section (pixel memory shared with GDI) in 1, 4, 8, 24
// or 32 bits per pixel, with a canvas to draw on it, row access, Windows BMP files and
// bitmap resources, and drawing with one colour transparent.
// Pixels that come from data (a stream, a resource, an image, a bitmap that has no DIB
// section yet) stay in plain memory until GDI needs them: a skin loads dozens of pictures
// and draws few of them, and each DIB section costs a trip to the window server under Wine.

#include "framework/core/Color.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/PixelImage.h"

#include <memory>
#include <string>
#include <vector>

// pfDevice is the screen's format, held as 32 bits per pixel.
PANTREL_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit)
// tmAuto: the transparent colour is the bottom-left pixel's; tmFixed: TransparentColor's.
PANTREL_ENUM(TTransparentMode, tmAuto, tmFixed)

class TBitmap;

// An 8 x 8 checkerboard of the two colours for dithered fills (Brush()->SetBitmap); made
// once per colour pair and kept until the program ends.
TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor);

// The canvas of a bitmap: a memory DC with the bitmap selected while drawing. The DC (and
// what was set on it, such as the stretch mode) lives as long as the canvas.
class TBitmapCanvas : public TCanvas {
    PANTREL_CLASS(TBitmapCanvas, TCanvas)
    explicit TBitmapCanvas(TBitmap& Bitmap) : FBitmap(Bitmap) {}
    ~TBitmapCanvas() override;
    // Takes the bitmap out of the DC (it may then be selected elsewhere or replaced); the
    // next drawing call selects it again.
    void ReleaseBitmap();

protected:
    void CreateHandle() override;

private:
    TBitmap& FBitmap;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap : public TGraphic {
    PANTREL_CLASS(TBitmap, TGraphic)
    TBitmap();
    ~TBitmap() override;
    // From another bitmap: a copy of its pixels and settings. From another graphic: that
    // graphic drawn on white at its own size.
    void Assign(const TPersistent& Source) override;
    TGraphic* Clone() const override;

    bool Empty() const override { return FWidth == 0; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    // Keeps the top-left part of the picture; new pixels are black. A size of 0 empties it.
    void SetSize(int AWidth, int AHeight);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels; indexed formats get a fixed palette and the nearest colours.
    void SetPixelFormat(TPixelFormat Value);
    // Bits per pixel of the pixel memory.
    int BitCount() const;

    // Row Y (0 = the top row) of the pixel memory, once pending drawing is done; raises
    // EInvalidGraphic for a row outside the picture. A row of pixels still in plain memory
    // moves when the DIB section is made (Handle, drawing on the canvas, a change of bit
    // count or size): ask again after those.
    void* ScanLine(int Y);
    TCanvas* Canvas();
    // The DIB section, taken out of the canvas's DC so it can be selected elsewhere; made
    // here if the pixels are still in plain memory; 0 when empty. It stays the bitmap's.
    HBITMAP Handle();

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);
    TColor TransparentColor();
    // Also switches to tmFixed.
    void SetTransparentColor(TColor Value);

    // Empty data gives an empty bitmap; an empty bitmap saves nothing.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) const override;
    // A bitmap resource (RT_BITMAP) of the module; raises EInvalidGraphic when missing.
    void LoadFromResourceName(HINSTANCE Instance, const std::string& Name);
    void LoadFromImage(TPixelImage Image);
    TPixelImage ToImage() const;

protected:
    void Draw(TCanvas& ACanvas, const RECT& Rect) override;

private:
    friend class TBitmapCanvas;
    // Puts a new DIB section in place of the old one (which is deleted).
    void ReplaceDib(HBITMAP NewHandle, void* NewBits, int AWidth, int AHeight);
    HBITMAP CreateDib(int AWidth, int AHeight, void*& Bits) const;
    // Moves pixels held in plain memory into a new DIB section.
    void HandleNeeded();
    size_t Stride() const { return TPixelImage::RowBytesFor(FWidth, BitCount()); }
    // Row Y of whichever memory holds the pixels.
    uint8_t* Row(int Y) const;

    // The pixels live either in FImage (no DIB section yet) or in the DIB section.
    TPixelImage FImage;
    HBITMAP FHandle = nullptr;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<uint32_t> FPalette;  // 0x00RRGGBB, for the indexed formats
    std::unique_ptr<TBitmapCanvas> FCanvas;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};
