#pragma once
// TIcon: a Windows icon, loaded from an .ico file (the largest, deepest image in it) or
// taken from an HICON, drawn with its mask.

#include "framework/graphics/Graphic.h"

#include <cstdint>
#include <vector>

class TIcon : public TGraphic {
    PANTREL_CLASS(TIcon, TGraphic)
    TIcon() = default;
    ~TIcon() override;
    void Assign(const TPersistent& Source) override;
    TGraphic* Clone() const override;

    bool Empty() const override { return !FHandle; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }

    // Raises EInvalidGraphic for data that is not an icon file.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) const override;

    HICON Handle() const { return FHandle; }
    // Takes ownership of Icon (0 empties).
    void SetHandle(HICON Icon);

protected:
    void Draw(TCanvas& Canvas, const RECT& Rect) override;

private:
    void Reset(HICON Icon, int AWidth, int AHeight, std::vector<uint8_t> Data);

    HICON FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FData;  // the file the icon came from, for saving
};
