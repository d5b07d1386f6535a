#include "framework/core/Color.h"

#include "framework/core/Exception.h"
#include "framework/core/StrUtils.h"

namespace {
struct TColorName {
    TColor Color;
    const char* Name;
};
// Names first, so ColorToString gives clSilver rather than clLtGray.
const TColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"}, {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuBar, "clMenuBar"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
};
} // namespace

bool IdentToColor(const std::string& Ident, TColor& Color)
{
    for (const TColorName& N : ColorNames)
        if (SameText(Ident, N.Name)) {
            Color = N.Color;
            return true;
        }
    return false;
}

std::string ColorToString(TColor Color)
{
    for (const TColorName& N : ColorNames)
        if (N.Color == Color)
            return N.Name;
    return "$" + IntToHex(Color, 8);
}

TColor StringToColor(const std::string& Text)
{
    TColor Color;
    if (IdentToColor(Text, Color))
        return Color;
    int64_t V;
    if (!TryStrToInt64(Text, V) || V < INT32_MIN || V > int64_t(UINT32_MAX))
        throw EConvertError("'" + Text + "' is not a valid colour");
    return static_cast<TColor>(V);
}
