#pragma once
// The decoded elements of a skin: one object per skinned window part (bitmap with its
// state images, nine-part margins, transparency and tile flags, text colours), and the
// loaders that fill them from the skin description.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Color.h"
#include "framework/core/Object.h"
#include "framework/graphics/Bitmap.h"

class TSkinData;
class TMemIniFile;

class TDataSkinObject : public TObject {
    PANTREL_CLASS(TDataSkinObject, TObject)
    explicit TDataSkinObject(const std::string& AName);

    int32_t LeftWidth = 0;
    int32_t TopHeight = 0;
    int32_t RightWidth = 0;
    int32_t BottomHeight = 0;
    std::unique_ptr<TBitmap> Bitmap;
    int32_t Trans = 0;   // 1: magenta pixels are transparent
    int32_t Tile = 0;    // 1: the centre is repeated, 0: stretched
    std::string Name;
    int32_t FrameCount = 0;
    int32_t Style = 0;
    // Numbered-colour indexes of the text in the normal, hot and pressed state (-1: none).
    int32_t NormalColour = 0;
    int32_t MouseOverColour = 0;
    int32_t PressedColour = 0;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
};

// Adds a second image: the tab panel border, the progress chunk, the up-down glyphs or the
// mirrored combo button.
class TDataSkinBorder : public TDataSkinObject {
    PANTREL_CLASS(TDataSkinBorder, TDataSkinObject)
    explicit TDataSkinBorder(const std::string& AName);
    std::unique_ptr<TBitmap> Bitmap2;
};

class TDataSkinButton : public TDataSkinObject {
    PANTREL_CLASS(TDataSkinButton, TDataSkinObject)
    explicit TDataSkinButton(const std::string& AName);
    std::unique_ptr<TBitmap> CheckBitmap;
    std::unique_ptr<TBitmap> RadioBitmap;
    int32_t RadioFrameCount = 0;
    int32_t CheckFrameCount = 0;
};

// The margins place the caption text: LeftWidth shifts it, TopHeight moves it down,
// RightWidth is kept clear; Bitmap lies behind the text.
class TDataSkinTitle : public TDataSkinObject {
    PANTREL_CLASS(TDataSkinTitle, TDataSkinObject)
    static constexpr TColor NoTextColor = 0x1FFFFFFF;
    explicit TDataSkinTitle(const std::string& AName) : TDataSkinObject(AName) {}
    int32_t TextAlignment = 0;
    int32_t TextBackground = 0;
    int32_t FontHeight = 0;
    int32_t TextBackLeft = 0;
    int32_t TextBackRight = 0;
    TColor ActiveTextColor = NoTextColor;
    TColor InactiveTextColor = NoTextColor;
};

// One caption button; its placement and behaviour fields are read by form skinning.
class TDataSkinSysButton : public TDataSkinObject {
    PANTREL_CLASS(TDataSkinSysButton, TDataSkinObject)
    explicit TDataSkinSysButton(const std::string& AName) : TDataSkinObject(AName) {}
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t XCoord = 0;
    int32_t YCoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// Loaders: each fills one element from its section of the description; bitmaps come
// through the component's LoadSkinBitmap, text colours default to its ButtonTextColor.
class TSkinElementLoader {
public:
    TSkinElementLoader(TSkinData& ASkin, const TMemIniFile& AIni) : Skin(ASkin), Ini(AIni) {}

    // "Left", "Right", "Top" or "Bottom" from "Personality".
    void LoadFramePiece(TDataSkinBorder& Piece);
    void LoadTitle(TDataSkinTitle& Title);
    std::unique_ptr<TDataSkinSysButton> LoadSysButton(const std::string& Section);
    // The three controls of a maximised child window, cut from "MDICONTROLS".
    void LoadMDIControls(std::unique_ptr<TDataSkinSysButton> (&Buttons)[3]);
    void LoadPushButtons(TDataSkinButton& Buttons);
    // Null when the section's "Image" is empty.
    std::unique_ptr<TDataSkinObject> LoadObject(const std::string& Section);
    // Null when the section's "Image" is empty; the second image from SecondKey.
    std::unique_ptr<TDataSkinBorder> LoadObjectWithSecondImage(const std::string& Section,
                                                               const std::string& SecondKey);
    std::unique_ptr<TDataSkinBorder> LoadProgress();
    std::unique_ptr<TDataSkinObject> LoadMenuBar();

    // Caption-button sections: "Button..." in any case but "Buttons", "Button.Radio" and
    // "Button.CheckBox".
    static bool IsSysButtonSection(const std::string& Section);
    // Numbered-colour sections: "Colour..." in any case but "Colours".
    static bool IsColourSection(const std::string& Section);

private:
    TSkinData& Skin;
    const TMemIniFile& Ini;

    int ReadInt(const std::string& Section, const std::string& Key, int Default) const;
    void LoadBitmap(TBitmap& Bitmap, const std::string& Section, const std::string& Key);
    void ReadMargins(TDataSkinObject& Object, const std::string& Section);
    void ReadTextColours(TDataSkinObject& Object, const std::string& Section);
    void ReadObjectKeys(TDataSkinObject& Object, const std::string& Section);
};
