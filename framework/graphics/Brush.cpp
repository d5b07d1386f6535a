#include "framework/graphics/Brush.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

PANTREL_REGISTER(TBrush, TGraphicsObject,
    PROP_COLOR(Color, Color, SetColor),
    PROP_ENUM(Style, Style, SetStyle))

void TBrush::Assign(const TPersistent& Source)
{
    const TBrush* Other = dynamic_cast<const TBrush*>(&Source);
    if (!Other) {
        inherited::Assign(Source);
        return;
    }
    FColor = Other->FColor;
    FStyle = Other->FStyle;
    FBitmap = Other->FBitmap;
    Changed();
}

void TBrush::SetHandle(HBRUSH Brush)
{
    LOGBRUSH Log{};
    if (Brush && GetObjectA(Brush, sizeof Log, &Log) == sizeof Log) {
        FStyle = Log.lbStyle == BS_NULL ? bsClear : bsSolid;
        FColor = Log.lbColor;
    }
    AdoptObject(Brush);
}

void TBrush::SetBitmap(TBitmap* Value)
{
    FBitmap = Value;
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    FColor = Value;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    FStyle = Value;
    Changed();
}

HGDIOBJ TBrush::CreateObject() const
{
    static const int Hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    if (FBitmap && !FBitmap->Empty())
        return CreatePatternBrush(FBitmap->Handle());
    LOGBRUSH Log{};
    Log.lbColor = ColorToRGB(FColor);
    if (FStyle == bsClear) {
        Log.lbStyle = BS_NULL;
    } else if (FStyle == bsSolid) {
        Log.lbStyle = BS_SOLID;
    } else {
        Log.lbStyle = BS_HATCHED;
        Log.lbHatch = ULONG_PTR(Hatches[FStyle - bsHorizontal]);
    }
    return CreateBrushIndirect(&Log);
}
