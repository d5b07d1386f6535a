#include "framework/graphics/Colors.h"

COLORREF ColorToRGB(TColor Color)
{
    return IsSystemColor(Color) ? GetSysColor(int(Color & 0xFF)) : COLORREF(Color);
}
