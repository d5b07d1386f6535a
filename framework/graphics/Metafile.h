#pragma once
// TMetafile: a vector picture from an enhanced metafile (.emf) or a Windows metafile (.wmf,
// with or without the placeable header); held as an enhanced metafile and played into the
// rectangle it is drawn in.

#include "framework/graphics/Graphic.h"

#include <cstdint>
#include <vector>

class TMetafile : public TGraphic {
    PANTREL_CLASS(TMetafile, TGraphic)
    TMetafile() = default;
    ~TMetafile() override;
    void Assign(const TPersistent& Source) override;
    TGraphic* Clone() const override;

    bool Empty() const override { return !FHandle; }
    // In screen pixels.
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // True when it came from an enhanced metafile.
    bool Enhanced() const { return FEnhanced; }

    // Raises EInvalidGraphic for data that is neither kind of metafile.
    void LoadFromStream(TStream& Stream) override;
    // Writes the data it was loaded from (an enhanced metafile when made from a handle).
    void SaveToStream(TStream& Stream) const override;

    HENHMETAFILE Handle() const { return FHandle; }
    // Takes ownership of Metafile (0 empties).
    void SetHandle(HENHMETAFILE Metafile);

protected:
    void Draw(TCanvas& Canvas, const RECT& Rect) override;

private:
    void LoadWindowsMetafile(const std::vector<uint8_t>& Data);
    void Reset(HENHMETAFILE Metafile, bool IsEnhanced, std::vector<uint8_t> Data);
    void SizeFromHeader();

    HENHMETAFILE FHandle = nullptr;
    bool FEnhanced = true;
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FData;
};
