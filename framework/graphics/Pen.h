#pragma once
// TPen: how lines and shape outlines are drawn: colour, width and style.

#include "framework/core/Color.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/GraphicsObject.h"

PANTREL_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)

class TPen : public TGraphicsObject {
    PANTREL_CLASS(TPen, TGraphicsObject)
    TPen() = default;
    void Assign(const TPersistent& Source) override;

    HPEN Handle() const { return static_cast<HPEN>(ObjectHandle()); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value);

protected:
    HGDIOBJ CreateObject() const override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};
