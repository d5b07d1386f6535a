#pragma once
// TFont: a text font by face name, height in pixels, style, colour and character set, as
// designs give it (Font.Name, Font.Height, ...); makes the matching HFONT on demand.

#include "framework/core/Color.h"
#include "framework/core/TypInfo.h"
#include "framework/graphics/GraphicsObject.h"

#include <string>

PANTREL_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
PANTREL_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)

class TFont : public TGraphicsObject {
    PANTREL_CLASS(TFont, TGraphicsObject)
    TFont();
    void Assign(const TPersistent& Source) override;

    HFONT Handle() const { return static_cast<HFONT>(ObjectHandle()); }
    // Takes the description of Font (the font itself stays the caller's).
    void SetHandle(HFONT Font);
    void SetLogFont(const LOGFONTA& Font);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    // Negative: the character height without internal leading; positive: the cell height.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    // In points at the screen's resolution.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // A GDI character set; DEFAULT_CHARSET picks GB2312 for a face with a Chinese name.
    int Charset() const { return FCharset; }
    void SetCharset(int Value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);

protected:
    HGDIOBJ CreateObject() const override;

private:
    std::string FName;
    int FHeight;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
};
