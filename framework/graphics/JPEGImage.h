#pragma once
// TJPEGImage: a JPEG picture, decoded when loaded (a damaged file raises then, not when
// painted) and drawn from its decoded bitmap; saving writes the original file.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

#include <cstdint>
#include <vector>

class TJPEGImage : public TGraphic {
    PANTREL_CLASS(TJPEGImage, TGraphic)
    TJPEGImage() = default;
    void Assign(const TPersistent& Source) override;
    TGraphic* Clone() const override;

    bool Empty() const override { return FBitmap.Empty(); }
    int Width() const override { return FBitmap.Width(); }
    int Height() const override { return FBitmap.Height(); }
    bool Grayscale() const { return FGrayscale; }
    bool ProgressiveEncoding() const { return FProgressive; }
    // The decoded picture (24 bits per pixel).
    TBitmap& Bitmap() { return FBitmap; }

    // Raises EInvalidGraphic for damaged or unsupported data.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) const override;

protected:
    void Draw(TCanvas& Canvas, const RECT& Rect) override;

private:
    std::vector<uint8_t> FData;
    TBitmap FBitmap;
    bool FGrayscale = false;
    bool FProgressive = false;
};
