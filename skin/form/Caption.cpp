#include "skin/form/Caption.h"

#include "framework/graphics/Canvas.h"

void DrawCaption(TCanvas& Canvas, const RECT& Rect, UINT Alignment, bool Enabled, const std::string& Text,
                 TColor Shadow)
{
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetStyle({});
    if (!Enabled)
        Canvas.Font()->SetColor(Shadow);
    SetBkMode(Canvas.Handle(), TRANSPARENT);
    RECT Measured = Rect;
    Canvas.DrawText(Text, Measured, Alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    const int TextWidth = Measured.right - Measured.left;
    const int TextHeight = Measured.bottom - Measured.top;
    RECT Target = Rect;
    Target.top = Rect.top + (Rect.bottom - Rect.top - TextHeight) / 2 - 1;
    Target.bottom = Target.top + TextHeight;
    if (Alignment & DT_CENTER) {
        Target.left = Rect.left + (Rect.right - Rect.left - TextWidth) / 2;
        Target.right = Target.left + TextWidth;
    }
    Canvas.DrawText(Text, Target, Alignment | DT_EXPANDTABS);
}
