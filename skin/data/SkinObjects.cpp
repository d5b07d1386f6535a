#include "skin/data/SkinObjects.h"

#include "framework/core/IniFile.h"
#include "framework/core/StrUtils.h"
#include "skin/data/SkinData.h"

PANTREL_REGISTER(TDataSkinObject, TObject)
PANTREL_REGISTER(TDataSkinBorder, TDataSkinObject)
PANTREL_REGISTER(TDataSkinButton, TDataSkinObject)
PANTREL_REGISTER(TDataSkinTitle, TDataSkinObject)
PANTREL_REGISTER(TDataSkinSysButton, TDataSkinObject)

TDataSkinObject::TDataSkinObject(const std::string& AName) : Bitmap(new TBitmap), Name(AName) {}

TDataSkinBorder::TDataSkinBorder(const std::string& AName) : TDataSkinObject(AName), Bitmap2(new TBitmap) {}

TDataSkinButton::TDataSkinButton(const std::string& AName)
    : TDataSkinObject(AName), CheckBitmap(new TBitmap), RadioBitmap(new TBitmap)
{
}

int TSkinElementLoader::ReadInt(const std::string& Section, const std::string& Key, int Default) const
{
    return Ini.ReadInteger(Section, Key, Default);
}

void TSkinElementLoader::LoadBitmap(TBitmap& Bitmap, const std::string& Section, const std::string& Key)
{
    Skin.LoadSkinBitmap(Bitmap, Ini.ReadString(Section, Key, ""));
}

void TSkinElementLoader::ReadMargins(TDataSkinObject& Object, const std::string& Section)
{
    Object.LeftWidth = ReadInt(Section, "LeftWidth", 0);
    Object.RightWidth = ReadInt(Section, "RightWidth", 0);
    Object.TopHeight = ReadInt(Section, "TopHeight", 0);
    Object.BottomHeight = ReadInt(Section, "BottomHeight", 0);
}

void TSkinElementLoader::ReadTextColours(TDataSkinObject& Object, const std::string& Section)
{
    Object.NormalColour = ReadInt(Section, "NormalColour", -1);
    Object.MouseOverColour = ReadInt(Section, "MouseOverColour", -1);
    Object.PressedColour = ReadInt(Section, "PressedColour", -1);
    const TColor Default = Skin.ButtonTextColor;
    Object.NormalColour2 = TSkinData::ReadColourText(Ini.ReadString(Section, "NormalColour2", ""), Default);
    Object.MouseOverColour2 = TSkinData::ReadColourText(Ini.ReadString(Section, "MouseOverColour2", ""), Default);
    Object.PressedColour2 = TSkinData::ReadColourText(Ini.ReadString(Section, "PressedColour2", ""), Default);
}

void TSkinElementLoader::LoadFramePiece(TDataSkinBorder& Piece)
{
    const std::string S = "Personality";
    const std::string& P = Piece.Name;
    LoadBitmap(*Piece.Bitmap, S, P);
    const int First = ReadInt(S, P + "TopHeight", 0);
    const int Second = ReadInt(S, P + "BotHeight", 0);
    const bool Vertical = P == "Left" || P == "Right";
    Piece.LeftWidth = Vertical ? 0 : First;
    Piece.RightWidth = Vertical ? 0 : Second;
    Piece.TopHeight = Vertical ? First : 0;
    Piece.BottomHeight = Vertical ? Second : 0;
    Piece.FrameCount = ReadInt(S, P + "Frame", 1);
    Piece.Tile = ReadInt(S, P + "Stretch", 1);
    Piece.Trans = ReadInt(S, P + "Trans", 1);
}

void TSkinElementLoader::LoadTitle(TDataSkinTitle& Title)
{
    const std::string S = "Personality";
    LoadBitmap(*Title.Bitmap, S, "TextBack");
    Title.LeftWidth = ReadInt(S, "TextShift", 0);
    Title.TopHeight = ReadInt(S, "TextShiftVert", 0);
    Title.RightWidth = ReadInt(S, "TextRightClip", 0);
    Title.BottomHeight = 0;
    Title.TextAlignment = ReadInt(S, "TextAlignment", 0);
    Title.TextBackground = ReadInt(S, "Textbackground", 0);
    Title.FontHeight = ReadInt("Fonts", "FontHeight", 14);
    Title.TextBackLeft = ReadInt(S, "TXTBackleft", 0);
    Title.TextBackRight = ReadInt(S, "TXTBackRight", 0);
    Title.ActiveTextColor = TDataSkinTitle::NoTextColor;
    Title.InactiveTextColor = TDataSkinTitle::NoTextColor;
    Skin.ReadRGBKeys(S, "ActiveText", Title.ActiveTextColor);
    Skin.ReadRGBKeys(S, "InActiveText", Title.InactiveTextColor);
}

std::unique_ptr<TDataSkinSysButton> TSkinElementLoader::LoadSysButton(const std::string& Section)
{
    auto B = std::make_unique<TDataSkinSysButton>(UpperCaseAscii(Section));
    B->Action = ReadInt(Section, "Action", 0);
    B->Align = ReadInt(Section, "Align", 0);
    B->XCoord = ReadInt(Section, "Xcoord", 0);
    B->YCoord = ReadInt(Section, "Ycoord", 0);
    B->Visibility = ReadInt(Section, "Visibility", 0);
    B->Visibility1 = ReadInt(Section, "Visibility1", 0);
    B->CombineOp = ReadInt(Section, "CombineOp", -1);
    B->FrameCount = ReadInt(Section, "frame", 0);
    LoadBitmap(*B->Bitmap, Section, "ButtonImage");
    if (B->FrameCount == 0) {
        // Wide strips hold six states (normal, hot, pressed for active and inactive
        // windows), narrower ones three.
        B->FrameCount = 6;
        if (!B->Bitmap->Empty())
            B->FrameCount = double(B->Bitmap->Width()) / B->Bitmap->Height() <= 3.8 ? 3 : 6;
        if (B->Action < 0)
            B->FrameCount = 6;
        // These two are drawn without a skin image.
        if (B->Action == 3 || B->Action == 11)
            B->Bitmap->SetSize(0, 0);
    }
    return B;
}

// A copy of columns [Left, Left + Width) of Source, in 24 bits per pixel.
static void CopyColumns(const TPixelImage& Source, int Left, int Width, TBitmap& Target)
{
    if (Width <= 0 || Source.Height <= 0) {
        Target.SetSize(0, 0);
        return;
    }
    TPixelImage Part;
    Part.Allocate(Width, Source.Height, 24);
    for (int Y = 0; Y < Source.Height; ++Y) {
        uint8_t* Row = Part.Row(Y);
        for (int X = 0; X < Width; ++X) {
            const uint32_t RGB = Source.PixelRGB(Left + X, Y);
            Row[3 * X] = uint8_t(RGB);
            Row[3 * X + 1] = uint8_t(RGB >> 8);
            Row[3 * X + 2] = uint8_t(RGB >> 16);
        }
    }
    Target.LoadFromImage(Part);
}

void TSkinElementLoader::LoadMDIControls(std::unique_ptr<TDataSkinSysButton> (&Buttons)[3])
{
    TBitmap Strip;
    LoadBitmap(Strip, "MDICONTROLS", "Image");
    // The strip holds minimise, restore and close side by side, four states each.
    const int W = Strip.Width() / 12;
    const TPixelImage Image = Strip.Empty() ? TPixelImage() : Strip.ToImage();
    for (int I = 0; I < 3; ++I) {
        auto B = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        if (!Strip.Empty()) {
            CopyColumns(Image, 4 * W * I, 4 * W, *B->Bitmap);
            B->XCoord = (W + 4) * (3 - I);
        }
        B->Action = 7 + I;
        B->Align = B->Visibility = B->Visibility1 = 100;
        B->FrameCount = 4;
        Buttons[I] = std::move(B);
    }
}

void TSkinElementLoader::LoadPushButtons(TDataSkinButton& B)
{
    const std::string S = "Buttons";
    LoadBitmap(*B.Bitmap, S, "Bitmap");
    ReadMargins(B, S);
    B.Trans = ReadInt(S, "Trans", 0);
    B.Tile = ReadInt(S, "Tile", 0);
    LoadBitmap(*B.CheckBitmap, S, "CheckButton");
    LoadBitmap(*B.RadioBitmap, S, "RadioButton");
    B.RadioFrameCount = ReadInt(S, "RadioButtonFrame", 0);
    B.CheckFrameCount = ReadInt(S, "CheckButtonFrame", 0);
    ReadTextColours(B, S);
}

void TSkinElementLoader::ReadObjectKeys(TDataSkinObject& Object, const std::string& Section)
{
    LoadBitmap(*Object.Bitmap, Section, "Image");
    ReadMargins(Object, Section);
    Object.Trans = ReadInt(Section, "Trans", 0);
    Object.Tile = ReadInt(Section, "Tile", 0);
    if (Object.Tile > 1)
        Object.Tile = 0;
    ReadTextColours(Object, Section);
}

std::unique_ptr<TDataSkinObject> TSkinElementLoader::LoadObject(const std::string& Section)
{
    if (Ini.ReadString(Section, "Image", "").empty())
        return nullptr;
    auto Object = std::make_unique<TDataSkinObject>(Section);
    ReadObjectKeys(*Object, Section);
    Object->Style = ReadInt(Section, "Style", 0);
    return Object;
}

std::unique_ptr<TDataSkinBorder> TSkinElementLoader::LoadObjectWithSecondImage(const std::string& Section,
                                                                             const std::string& SecondKey)
{
    if (Ini.ReadString(Section, "Image", "").empty())
        return nullptr;
    auto Object = std::make_unique<TDataSkinBorder>(Section);
    ReadObjectKeys(*Object, Section);
    LoadBitmap(*Object->Bitmap2, Section, SecondKey);
    return Object;
}

std::unique_ptr<TDataSkinBorder> TSkinElementLoader::LoadProgress()
{
    const std::string S = "Progress";
    if (Ini.ReadString(S, "Bitmap", "").empty())
        return nullptr;
    auto P = std::make_unique<TDataSkinBorder>(S);
    LoadBitmap(*P->Bitmap, S, "Bitmap");
    LoadBitmap(*P->Bitmap2, S, "Chunk");
    P->Style = ReadInt(S, "Style", 0);
    ReadMargins(*P, S);
    P->Trans = ReadInt(S, "Trans", 0);
    P->Tile = ReadInt(S, "Tile", 0);
    return P;
}

std::unique_ptr<TDataSkinObject> TSkinElementLoader::LoadMenuBar()
{
    const std::string S = "Personality";
    if (Ini.ReadString(S, "menuBar", "").empty())
        return nullptr;
    auto M = std::make_unique<TDataSkinObject>(S);
    LoadBitmap(*M->Bitmap, S, "menuBar");
    M->Tile = ReadInt(S, "TileMenu", 0);
    // Tile flags of the left and right parts.
    M->LeftWidth = ReadInt(S, "TileLeftMenu", 1);
    M->RightWidth = ReadInt(S, "TileRightMenu", 1);
    return M;
}

bool TSkinElementLoader::IsSysButtonSection(const std::string& Section)
{
    const std::string U = UpperCaseAscii(Section);
    return U.compare(0, 6, "BUTTON") == 0 && U != "BUTTONS" && U != "BUTTON.RADIO" && U != "BUTTON.CHECKBOX";
}

bool TSkinElementLoader::IsColourSection(const std::string& Section)
{
    const std::string U = UpperCaseAscii(Section);
    return U.compare(0, 6, "COLOUR") == 0 && U != "COLOURS";
}
