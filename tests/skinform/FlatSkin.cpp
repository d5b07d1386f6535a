#include "tests/skinform/FlatSkin.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <set>
#include <stdexcept>

#include "framework/graphics/BmpFile.h"
#include "tests/skin/SkinTestKit.h"

const char* const FlatColourKeys[16] = {
    "WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu", "MenuText",
    "ButtonText", "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "MenuBarText",
    "TitleTextActive", "TitleTextNoActive"};

namespace {

int MaxFrames(int Element)
{
    return Element >= feScrollbar ? FlatMaxControlFrames : FlatMaxFrames;
}

}  // namespace

COLORREF FlatColour(int Element, int Frame)
{
    if (Element < 0 || Element >= feFlatElementEnd || Frame < 1 || Frame > MaxFrames(Element))
        throw std::out_of_range("no flat colour for element " + std::to_string(Element) + ", frame " +
                                std::to_string(Frame));
    if (Element >= feScrollbar)
        return RGB(6 + 11 * (Element - feScrollbar), 10 * Frame, 160);
    return RGB(12 + 12 * Element, 20 * Frame, 96);
}

COLORREF FlatKeyColour(int Index)
{
    return RGB(30 + 12 * Index, 200 - 8 * Index, 200);
}

namespace {

constexpr COLORREF Key = RGB(255, 0, 255);

std::string Bmp(int W, int H, const std::function<COLORREF(int X, int Y)>& Colour)
{
    TPixelImage Image;
    Image.Allocate(W, H, 24);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const COLORREF C = Colour(X, Y);
            uint8_t* P = Image.Row(Y) + 3 * X;
            P[0] = GetBValue(C);
            P[1] = GetGValue(C);
            P[2] = GetRValue(C);
        }
    const auto Bytes = WriteBmpFile(Image);
    return std::string(Bytes.begin(), Bytes.end());
}

bool InCut(const TFlatSkin::TCorners& Cut, int X, int Y, int W, int H)
{
    return (X < Cut.TopLeft && Y < Cut.TopLeft) || (X >= W - Cut.TopRight && Y < Cut.TopRight) ||
           (X < Cut.BottomLeft && Y >= H - Cut.BottomLeft) || (X >= W - Cut.BottomRight && Y >= H - Cut.BottomRight);
}

// Frames of W x H in Element's flat colours, side by side or stacked, corners cut.
std::string FramesBmp(int Element, int W, int H, int Frames, bool Stacked, const TFlatSkin::TCorners& Cut)
{
    Frames = std::clamp(Frames, 1, MaxFrames(Element));
    return Bmp(Stacked ? W : W * Frames, Stacked ? H * Frames : H, [&](int X, int Y) {
        const int Frame = Stacked ? Y / H : X / W;
        return InCut(Cut, X % W, Y % H, W, H) ? Key : FlatColour(Element, 1 + Frame);
    });
}

std::string Rgb(COLORREF C)
{
    return std::to_string(GetRValue(C)) + " " + std::to_string(GetGValue(C)) + " " + std::to_string(GetBValue(C));
}

// An INI text kept in order: sections in the order first set, keys likewise.
class TIniText {
public:
    void Set(const std::string& Section, const std::string& Key, const std::string& Value)
    {
        auto S = std::find_if(FSections.begin(), FSections.end(), [&](const auto& E) { return E.first == Section; });
        if (S == FSections.end())
            S = FSections.insert(FSections.end(), {Section, {}});
        auto K = std::find_if(S->second.begin(), S->second.end(), [&](const auto& E) { return E.first == Key; });
        if (K == S->second.end())
            S->second.push_back({Key, Value});
        else
            K->second = Value;
    }
    void Set(const std::string& Section, const std::string& Key, int Value)
    {
        Set(Section, Key, std::to_string(Value));
    }
    std::string Text() const
    {
        std::string T;
        for (const auto& [Section, Keys] : FSections) {
            T += "[" + Section + "]\r\n";
            for (const auto& [Key, Value] : Keys)
                T += Key + "=" + Value + "\r\n";
        }
        return T;
    }

private:
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> FSections;
};

const char* const PieceNames[4] = {"Left", "Right", "Top", "Bottom"};

std::string BitmapName(const std::string& Element)
{
    std::string Name = Element;
    std::transform(Name.begin(), Name.end(), Name.begin(), [](unsigned char C) { return char(std::tolower(C)); });
    return Name + ".bmp";
}

std::string ButtonSection(size_t Index)
{
    return "Button" + std::to_string(Index);
}

}  // namespace

std::string FlatBmp(int W, int H, COLORREF Colour)
{
    return Bmp(W, H, [Colour](int, int) { return Colour; });
}

std::map<std::string, COLORREF> TFlatSkin::DefaultColours()
{
    std::map<std::string, COLORREF> C;
    for (int I = 0; I < 16; ++I)
        C[FlatColourKeys[I]] = FlatKeyColour(I);
    return C;
}

std::vector<TFlatSkin::TButton> TFlatSkin::DefaultButtons()
{
    return {
        {0, 1, 20, 4, 0, 0, 6, 16, 14},  // close, 4 pixels in from the right edge
        {1, 1, 38, 4, 2, 0, 6, 16, 14},  // maximise, while not maximised
        {1, 1, 38, 4, 1, 0, 6, 16, 14},  // restore, while maximised
        {2, 1, 56, 4, 0, 0, 6, 16, 14},  // minimise
        {3, 0, 6, 4, 0, 0, 1, 14, 14},   // the window's icon
    };
}

TFlatSkin::TControlElement TFlatSkin::ControlElement(TFlatControlElement Element)
{
    const auto E = [Element](const char* Section, int W, int H, int Frames, const char* ImageKey = "Image",
                             const char* SecondKey = "") {
        TControlElement C;
        C.Element = Element;
        C.Section = Section;
        C.Width = W;
        C.Height = H;
        C.Frames = Frames;
        C.ImageKey = ImageKey;
        C.SecondKey = SecondKey;
        return C;
    };
    switch (Element) {
    case feScrollbar: return E("Scrollbar", 16, 16, 23);
    case feHorzScroll: return E("HorzScroll", 32, 16, 4);
    case feVertScroll: return E("VertScroll", 16, 32, 4);
    case feHorzScrollThumb: return E("HorzScrollThumb", 24, 16, 3);
    case feVertScrollThumb: return E("VertScrollThumb", 16, 24, 3);
    case feSunkEdge: return E("SunkEdge", 24, 21, 4);
    case feComboButton: return E("ComboButton", 17, 19, 4);
    case feExtraImages: return E("ExtraImages", 16, 16, 5);
    case feUpDownVert: return E("UpDown.Vert", 16, 10, 8, "Image", "GlyphImage");
    case feUpDownHorz: return E("UpDown.Horz", 10, 16, 8, "Image", "GlyphImage");
    case feTabs: return E("Tabs", 30, 20, 5, "Image", "Border");
    case feStatusBarEdges: return E("StatusBarEdges", 20, 18, 3);
    case feProgress: return E("Progress", 20, 16, 2, "Bitmap", "Chunk");
    case feTrackbarThumbHorz: return E("Trackbar.ThumbHorz", 11, 20, 5);
    case feTrackbarThumbVert: return E("Trackbar.ThumbVert", 20, 11, 5);
    case feHeaderbar: return E("Headerbar", 30, 18, 5);
    default: throw std::invalid_argument("element " + std::to_string(Element) + " is a second image");
    }
}

TFlatSkin& TFlatSkin::WithControls(std::initializer_list<TFlatControlElement> Elements)
{
    for (TFlatControlElement E : Elements)
        ControlElements.push_back(ControlElement(E));
    return *this;
}

std::string TFlatSkin::Description() const
{
    TIniText Ini;
    Ini.Set("TitlebarSkin", "SkinName", SkinName);
    const std::string P = "Personality";
    const TPiece* Pieces[4] = {&Left, &Right, &Top, &Bottom};
    for (int I = 0; I < 4; ++I) {
        const std::string Name = PieceNames[I];
        Ini.Set(P, Name, BitmapName(Name));
        Ini.Set(P, Name + "TopHeight", Pieces[I]->MarginStart);
        Ini.Set(P, Name + "BotHeight", Pieces[I]->MarginEnd);
        Ini.Set(P, Name + "Frame", Pieces[I]->Frames);
        Ini.Set(P, Name + "Stretch", Pieces[I]->Stretch);
        Ini.Set(P, Name + "Trans", Pieces[I]->Trans);
    }
    if (TextBack.Present)
        Ini.Set(P, "TextBack", "textback.bmp");
    Ini.Set(P, "TextShift", TextShift);
    Ini.Set(P, "TextShiftVert", TextShiftVert);
    Ini.Set(P, "TextRightClip", TextRightClip);
    Ini.Set(P, "TextAlignment", TextAlignment);
    Ini.Set(P, "Textbackground", TextBackground);
    Ini.Set(P, "TXTBackleft", TextBackLeft);
    Ini.Set(P, "TXTBackRight", TextBackRight);
    if (MenuBar.Present) {
        Ini.Set(P, "menuBar", "menubar.bmp");
        Ini.Set(P, "TileMenu", TileMenu);
        Ini.Set(P, "TileLeftMenu", TileLeftMenu);
        Ini.Set(P, "TileRightMenu", TileRightMenu);
    }
    for (const auto& [Name, Colour] : Colours)
        Ini.Set("Colours", Name, Rgb(Colour));
    for (size_t I = 0; I < Buttons.size(); ++I) {
        const TButton& B = Buttons[I];
        const std::string S = ButtonSection(I);
        Ini.Set(S, "Action", B.Action);
        Ini.Set(S, "Align", B.Align);
        Ini.Set(S, "Xcoord", B.XCoord);
        Ini.Set(S, "Ycoord", B.YCoord);
        Ini.Set(S, "Visibility", B.Visibility);
        Ini.Set(S, "Visibility1", B.Visibility1);
        if (B.Frames != 0)
            Ini.Set(S, "frame", B.Frames);
        Ini.Set(S, "ButtonImage", BitmapName(S));
    }
    if (MDIControls.Present)
        Ini.Set("MDICONTROLS", "Image", "mdicontrols.bmp");
    const auto Object = [&](const TImage& Image, const std::string& Section, const int (&M)[4]) {
        if (!Image.Present)
            return;
        Ini.Set(Section, "Image", BitmapName(Section));
        Ini.Set(Section, "LeftWidth", M[0]);
        Ini.Set(Section, "TopHeight", M[1]);
        Ini.Set(Section, "RightWidth", M[2]);
        Ini.Set(Section, "BottomHeight", M[3]);
        Ini.Set(Section, "Trans", 0);
        Ini.Set(Section, "Tile", 0);
    };
    Object(MenuItem, "MenuItem", MenuItemMargins);
    Object(MenuBackground, "MenuBackground", MenuBackgroundMargins);
    const std::string B = "Buttons";
    if (PushButton.Present) {
        Ini.Set(B, "Bitmap", "buttons.bmp");
        Ini.Set(B, "LeftWidth", PushButtonMargins[0]);
        Ini.Set(B, "TopHeight", PushButtonMargins[1]);
        Ini.Set(B, "RightWidth", PushButtonMargins[2]);
        Ini.Set(B, "BottomHeight", PushButtonMargins[3]);
        Ini.Set(B, "Trans", 0);
        Ini.Set(B, "Tile", 0);
        Ini.Set(B, "NormalColour2", Rgb(ButtonTextColours[0]));
        Ini.Set(B, "MouseOverColour2", Rgb(ButtonTextColours[1]));
        Ini.Set(B, "PressedColour2", Rgb(ButtonTextColours[2]));
    }
    if (CheckButton.Present) {
        Ini.Set(B, "CheckButton", "checkbutton.bmp");
        Ini.Set(B, "CheckButtonFrame", CheckButton.Frames);
    }
    if (RadioButton.Present) {
        Ini.Set(B, "RadioButton", "radiobutton.bmp");
        Ini.Set(B, "RadioButtonFrame", RadioButton.Frames);
    }
    for (const TControlElement& C : ControlElements) {
        Ini.Set(C.Section, C.ImageKey, BitmapName(C.Section));
        if (!C.SecondKey.empty())
            Ini.Set(C.Section, C.SecondKey, BitmapName(C.Section + "-" + C.SecondKey));
        Ini.Set(C.Section, "LeftWidth", C.Margins[0]);
        Ini.Set(C.Section, "TopHeight", C.Margins[1]);
        Ini.Set(C.Section, "RightWidth", C.Margins[2]);
        Ini.Set(C.Section, "BottomHeight", C.Margins[3]);
        Ini.Set(C.Section, "Trans", C.Trans);
        Ini.Set(C.Section, "Tile", C.Tile);
    }
    for (const auto& [Where, Value] : ExtraKeys)
        Ini.Set(Where.first, Where.second, Value);
    return Ini.Text();
}

std::vector<TSkinEntry> TFlatSkin::Entries() const
{
    std::vector<TSkinEntry> E{{"skin.ini", Description()}};
    const TPiece* Pieces[4] = {&Left, &Right, &Top, &Bottom};
    for (int I = 0; I < 4; ++I) {
        const TPiece& Piece = *Pieces[I];
        const bool Stacked = I >= 2;
        const int W = Stacked ? Piece.Length : Piece.Size, H = Stacked ? Piece.Size : Piece.Length;
        E.push_back({BitmapName(PieceNames[I]), FramesBmp(feLeft + I, W, H, Piece.Frames, Stacked, Piece.Cut)});
    }
    const auto Image = [&](const TImage& I, int Element, const std::string& Name, bool Stacked) {
        if (I.Present)
            E.push_back({Name, FramesBmp(Element, I.Width, I.Height, I.Frames, Stacked, I.Cut)});
    };
    Image(TextBack, feTextBack, "textback.bmp", true);
    Image(MenuBar, feMenuBar, "menubar.bmp", true);
    Image(MDIControls, feMDIControls, "mdicontrols.bmp", false);
    Image(MenuItem, feMenuItem, "menuitem.bmp", false);
    Image(MenuBackground, feMenuBackground, "menubackground.bmp", false);
    Image(PushButton, feButtons, "buttons.bmp", false);
    Image(CheckButton, feCheckButton, "checkbutton.bmp", false);
    Image(RadioButton, feRadioButton, "radiobutton.bmp", false);
    for (size_t I = 0; I < Buttons.size(); ++I) {
        const TButton& B = Buttons[I];
        E.push_back({BitmapName(ButtonSection(I)), FramesBmp(feCaptionButton + int(I), B.Width, B.Height,
                                                             B.Frames == 0 ? 6 : B.Frames, false, TCorners{})});
    }
    for (const TControlElement& C : ControlElements) {
        E.push_back({BitmapName(C.Section), FramesBmp(C.Element, C.Width, C.Height, C.Frames, false, {})});
        if (!C.SecondKey.empty())
            E.push_back({BitmapName(C.Section + "-" + C.SecondKey),
                         FramesBmp(C.Element + 1, C.Width, C.Height, C.Frames, false, {})});
    }
    for (const TSkinEntry& Extra : ExtraEntries) {
        auto Same = std::find_if(E.begin(), E.end(), [&](const TSkinEntry& X) { return X.Name == Extra.Name; });
        if (Same == E.end())
            E.push_back(Extra);
        else
            *Same = Extra;
    }
    return E;
}

std::string TFlatSkin::Pack() const
{
    TSkinContainer C;
    C.Entries = Entries();
    return PackSkin(C);
}

void TFlatSkin::WriteFile(const std::string& Path) const
{
    const std::string Bytes = Pack();
    std::ofstream Out(Path, std::ios::binary);
    Out.write(Bytes.data(), std::streamsize(Bytes.size()));
    if (!Out)
        throw std::runtime_error("cannot write " + Path);
}

std::vector<std::pair<std::string, std::string>> HostileSkins()
{
    std::vector<std::pair<std::string, std::string>> Skins;
    const auto Add = [&](const std::string& Name, TFlatSkin Skin) { Skins.push_back({Name, Skin.Pack()}); };
    const auto Everything = [] {
        TFlatSkin S;
        S.MenuBar.Present = S.MDIControls.Present = S.MenuItem.Present = S.MenuBackground.Present = true;
        S.PushButton.Present = S.CheckButton.Present = S.RadioButton.Present = true;
        for (int E = feScrollbar; E < feFlatElementEnd; ++E)
            if (E != feUpDownVertGlyph && E != feUpDownHorzGlyph && E != feTabsBorder && E != feProgressChunk)
                S.ControlElements.push_back(TFlatSkin::ControlElement(TFlatControlElement(E)));
        return S;
    };
    // Every integer key of the pieces, the title, the menu bar and the buttons set to Value.
    const auto AllKeys = [](TFlatSkin& S, const std::string& Value) {
        const std::string P = "Personality";
        for (const std::string Piece : {"Left", "Right", "Top", "Bottom"})
            for (const char* Suffix : {"TopHeight", "BotHeight", "Frame", "Stretch", "Trans"})
                S.ExtraKeys.push_back({{P, Piece + Suffix}, Value});
        for (const char* Key : {"TextShift", "TextShiftVert", "TextRightClip", "TextAlignment", "Textbackground",
                                "TXTBackleft", "TXTBackRight", "TileMenu", "TileLeftMenu", "TileRightMenu",
                                "ActiveTextR", "ActiveTextG", "ActiveTextB"})
            S.ExtraKeys.push_back({{P, Key}, Value});
        S.ExtraKeys.push_back({{"Fonts", "FontHeight"}, Value});
        for (size_t I = 0; I < S.Buttons.size(); ++I)
            for (const char* Key :
                 {"Action", "Align", "Xcoord", "Ycoord", "Visibility", "Visibility1", "frame", "CombineOp"})
                S.ExtraKeys.push_back({{ButtonSection(I), Key}, Value});
        for (const char* Section : {"MenuItem", "MenuBackground", "Buttons"})
            for (const char* Key : {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight", "Trans", "Tile", "Style"})
                S.ExtraKeys.push_back({{Section, Key}, Value});
        for (const char* Key : {"CheckButtonFrame", "RadioButtonFrame"})
            S.ExtraKeys.push_back({{"Buttons", Key}, Value});
        for (const TFlatSkin::TControlElement& C : S.ControlElements)
            for (const char* Key : {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight", "Trans", "Tile", "Style",
                                    "FrameCount", "NormalColour2"})
                S.ExtraKeys.push_back({{C.Section, Key}, Value});
    };
    const auto FrameCounts = [&](const std::string& Value) {
        TFlatSkin S = Everything();
        for (const std::string Piece : {"Left", "Right", "Top", "Bottom"})
            S.ExtraKeys.push_back({{"Personality", Piece + "Frame"}, Value});
        for (size_t I = 0; I < S.Buttons.size(); ++I)
            S.ExtraKeys.push_back({{ButtonSection(I), "frame"}, Value});
        for (const char* Key : {"CheckButtonFrame", "RadioButtonFrame"})
            S.ExtraKeys.push_back({{"Buttons", Key}, Value});
        for (const char* Section : {"HorzScrollThumb", "VertScrollThumb"})
            S.ExtraKeys.push_back({{Section, "FrameCount"}, Value});
        return S;
    };
    Add("frame-counts-above-width", FrameCounts("1000"));
    Add("frame-counts-zero", FrameCounts("0"));
    Add("frame-counts-negative", FrameCounts("-3"));
    {
        TFlatSkin S = Everything();
        S.Left.MarginStart = S.Left.MarginEnd = S.Right.MarginStart = S.Right.MarginEnd = 100000;
        S.Top.MarginStart = S.Top.MarginEnd = S.Bottom.MarginStart = S.Bottom.MarginEnd = 100000;
        S.TextBackLeft = S.TextBackRight = S.TextShift = S.TextShiftVert = S.TextRightClip = 100000;
        S.TileLeftMenu = S.TileRightMenu = 100000;
        for (int& M : S.MenuItemMargins)
            M = 100000;
        for (int& M : S.MenuBackgroundMargins)
            M = 100000;
        for (int& M : S.PushButtonMargins)
            M = 100000;
        for (TFlatSkin::TControlElement& C : S.ControlElements)
            for (int& M : C.Margins)
                M = 100000;
        Add("margins-huge", S);
    }
    {
        TFlatSkin S = Everything();
        for (TFlatSkin::TPiece* P : {&S.Left, &S.Right, &S.Top, &S.Bottom})
            *P = TFlatSkin::TPiece{1, 1, 0, 0, {}, 1, 1, 1};
        for (TFlatSkin::TImage* I : {&S.TextBack, &S.MenuBar, &S.MDIControls, &S.MenuItem, &S.MenuBackground,
                                     &S.PushButton, &S.CheckButton, &S.RadioButton})
            I->Width = I->Height = I->Frames = 1;
        for (TFlatSkin::TButton& B : S.Buttons)
            B.Width = B.Height = B.Frames = 1;
        for (TFlatSkin::TControlElement& C : S.ControlElements)
            C.Width = C.Height = C.Frames = 1;
        Add("one-pixel-bitmaps", S);
    }
    {
        TSkinContainer C;
        C.Entries = {{"skin.ini", "[TitlebarSkin]\r\nSkinName=Nothing\r\n"}};
        Skins.push_back({"no-elements", PackSkin(C)});
    }
    {
        TFlatSkin S = Everything();
        for (size_t I = 0; I < S.Buttons.size(); ++I) {
            S.Buttons[I].XCoord = I % 2 ? 100000 : -100000;
            S.Buttons[I].YCoord = I % 3 ? -100000 : 100000;
        }
        Add("buttons-far-away", S);
    }
    {
        TFlatSkin S = Everything();
        AllKeys(S, "-5");
        Add("negative-everywhere", S);
    }
    {
        TFlatSkin S = Everything();
        AllKeys(S, "-2147483648");
        Add("smallest-integers", S);
    }
    {
        TFlatSkin S = Everything();
        AllKeys(S, "2147483647");
        Add("largest-integers", S);
    }
    {
        TFlatSkin S = Everything();
        AllKeys(S, "99999999999999999999");
        Add("unreadable-numbers", S);
    }
    {
        TFlatSkin S;
        S.Buttons[0].Width = 1200;
        S.Buttons[0].Height = 400;
        S.Buttons[0].Frames = 3;
        Add("huge-caption-button", S);
    }
    {
        TFlatSkin S = Everything();
        S.Left.Size = S.Right.Size = 300;
        S.Top.Size = 500;
        S.Bottom.Size = 400;
        Add("borders-wider-than-windows", S);
    }
    {
        TFlatSkin S = Everything();
        const TFlatSkin Plain = S;
        for (const TSkinEntry& E : Plain.Entries())
            if (E.Name != "skin.ini")
                S.ExtraEntries.push_back({E.Name, FlatBmp(8, 8, Key)});
        Add("key-colour-only", S);
    }
    {
        TFlatSkin S = Everything();
        S.Left.Length = 7;  // not a multiple of anything useful
        S.Top.Length = 5;
        S.ExtraKeys.push_back({{"Personality", "LeftFrame"}, "3"});
        S.ExtraKeys.push_back({{"Personality", "TopFrame"}, "7"});
        S.ExtraEntries.push_back({"right.bmp", ""});                       // empty entry
        S.ExtraEntries.push_back({"bottom.bmp", "BM not a bitmap at all"});  // broken
        S.ExtraKeys.push_back({{"Personality", "TextBack"}, "missing.bmp"});
        S.ExtraKeys.push_back({{"Personality", "menuBar"}, "MENUBAR.BMP"});  // wrong case of extension
        S.ExtraEntries.push_back({"checkbutton.bmp", "BM not a bitmap at all"});
        S.ExtraKeys.push_back({{"Buttons", "RadioButton"}, "missing.bmp"});
        S.ExtraEntries.push_back({"scrollbar.bmp", "BM not a bitmap at all"});
        S.ExtraEntries.push_back({"sunkedge.bmp", ""});
        S.ExtraKeys.push_back({{"Tabs", "Border"}, "missing.bmp"});
        S.ExtraKeys.push_back({{"UpDown.Vert", "GlyphImage"}, "missing.bmp"});
        S.ExtraKeys.push_back({{"Progress", "Chunk"}, "missing.bmp"});
        S.ExtraKeys.push_back({{"Headerbar", "Image"}, "missing.bmp"});
        Add("broken-and-missing-bitmaps", S);
    }
    return Skins;
}

std::vector<std::pair<std::string, std::string>> HostileControlSkins()
{
    const std::set<std::string> FrameOnly = {"buttons-far-away", "huge-caption-button", "borders-wider-than-windows",
                                             "unreadable-numbers"};
    auto Skins = HostileSkins();
    Skins.erase(std::remove_if(Skins.begin(), Skins.end(), [&](const auto& S) { return FrameOnly.count(S.first); }),
                Skins.end());
    return Skins;
}
