#include "framework/graphics/Font.h"

#include "framework/core/StrUtils.h"

#include <cstring>

namespace {

int ScreenPixelsPerInch()
{
    static const int Value = [] {
        const HDC DC = GetDC(nullptr);
        const int Result = GetDeviceCaps(DC, LOGPIXELSY);
        ReleaseDC(nullptr, DC);
        return Result > 0 ? Result : 96;
    }();
    return Value;
}

bool HasDoubleByteCharacters(const std::string& Text)
{
    for (unsigned char C : Text)
        if (C >= 0x80)
            return true;
    return false;
}

// At most Limit bytes of Name, never ending in half a double-byte character.
size_t FaceNameLength(const std::string& Name, size_t Limit)
{
    size_t Length = 0;
    while (Length < Name.size()) {
        const size_t Next = Length + (IsLeadByte(Name[Length]) && Length + 1 < Name.size() ? 2 : 1);
        if (Next > Limit)
            break;
        Length = Next;
    }
    return Length;
}

}  // namespace

PANTREL_REGISTER(TFont, TGraphicsObject,
    PROP_INT(Charset, Charset, SetCharset),
    PROP_COLOR(Color, Color, SetColor),
    PROP_INT(Height, Height, SetHeight),
    PROP_STRING(Name, Name, SetName),
    PROP_ENUM(Pitch, Pitch, SetPitch),
    PROP_INT(Size, Size, SetSize),
    PROP_SET(Style, Style, SetStyle))

// The program's usual face: 宋体 at 9 points.
TFont::TFont() : FName("宋体"), FHeight(-12)
{
}

void TFont::Assign(const TPersistent& Source)
{
    const TFont* Other = dynamic_cast<const TFont*>(&Source);
    if (!Other) {
        inherited::Assign(Source);
        return;
    }
    FName = Other->FName;
    FHeight = Other->FHeight;
    FStyle = Other->FStyle;
    FColor = Other->FColor;
    FCharset = Other->FCharset;
    FPitch = Other->FPitch;
    Changed();
}

void TFont::SetHandle(HFONT Font)
{
    LOGFONTA Log{};
    if (Font && GetObjectA(Font, sizeof Log, &Log) == sizeof Log)
        SetLogFont(Log);
}

void TFont::SetLogFont(const LOGFONTA& Font)
{
    FName.assign(Font.lfFaceName, strnlen(Font.lfFaceName, LF_FACESIZE));
    FHeight = Font.lfHeight;
    FStyle = TFontStyles();
    if (Font.lfWeight >= FW_BOLD)
        FStyle.Include(fsBold);
    if (Font.lfItalic)
        FStyle.Include(fsItalic);
    if (Font.lfUnderline)
        FStyle.Include(fsUnderline);
    if (Font.lfStrikeOut)
        FStyle.Include(fsStrikeOut);
    FCharset = Font.lfCharSet;
    const int Pitch = Font.lfPitchAndFamily & 3;
    FPitch = Pitch == VARIABLE_PITCH ? fpVariable : Pitch == FIXED_PITCH ? fpFixed : fpDefault;
    Changed();
}

void TFont::SetName(const std::string& Value)
{
    if (Value.empty() || Value == FName)
        return;
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (Value == FHeight)
        return;
    FHeight = Value;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int Value)
{
    SetHeight(-MulDiv(Value, ScreenPixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetCharset(int Value)
{
    if (Value == FCharset)
        return;
    FCharset = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch)
        return;
    FPitch = Value;
    Changed();
}

HGDIOBJ TFont::CreateObject() const
{
    LOGFONTA Log{};
    Log.lfHeight = FHeight;
    Log.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    Log.lfItalic = FStyle.Contains(fsItalic);
    Log.lfUnderline = FStyle.Contains(fsUnderline);
    Log.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    Log.lfCharSet = BYTE(FCharset == DEFAULT_CHARSET && HasDoubleByteCharacters(FName) ? GB2312_CHARSET : FCharset);
    Log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    Log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    Log.lfQuality = DEFAULT_QUALITY;
    Log.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH : FPitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
    std::memcpy(Log.lfFaceName, FName.data(), FaceNameLength(FName, LF_FACESIZE - 1));
    return CreateFontIndirectA(&Log);
}
