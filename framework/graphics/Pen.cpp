#include "framework/graphics/Pen.h"

#include "framework/graphics/Colors.h"

PANTREL_REGISTER(TPen, TGraphicsObject,
    PROP_COLOR(Color, Color, SetColor),
    PROP_ENUM(Style, Style, SetStyle),
    PROP_INT(Width, Width, SetWidth))

void TPen::Assign(const TPersistent& Source)
{
    const TPen* Other = dynamic_cast<const TPen*>(&Source);
    if (!Other) {
        inherited::Assign(Source);
        return;
    }
    FColor = Other->FColor;
    FWidth = Other->FWidth;
    FStyle = Other->FStyle;
    Changed();
}

void TPen::SetColor(TColor Value)
{
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    FWidth = Value > 0 ? Value : 1;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    FStyle = Value;
    Changed();
}

// The styles are in the order of the PS_ values.
HGDIOBJ TPen::CreateObject() const
{
    return CreatePen(int(FStyle), FWidth, ColorToRGB(FColor));
}
