#pragma once
// Skins for tests whose every element frame is one flat colour, so that a pixel read back
// from a skinned window tells which element and which frame was drawn there; and a set of
// hostile skins (absurd frame counts, margins, sizes and places) that must load and draw
// without harm.
#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/skintool/SkinContainer.h"

// Elements of a flat skin; the caption buttons follow as feCaptionButton + their index.
enum TFlatElement {
    feLeft,
    feRight,
    feTop,
    feBottom,
    feTextBack,
    feMenuBar,
    feMenuItem,
    feMenuBackground,
    feMDIControls,
    feButtons,
    feCheckButton,
    feRadioButton,
    feCaptionButton
};
constexpr int FlatMaxCaptionButtons = 9;
constexpr int FlatMaxFrames = 12;
// Control elements have up to this many frames (the scroll-bar arrows have 23).
constexpr int FlatMaxControlFrames = 24;

// Elements of the control kinds, numbered after the caption buttons. A "Glyph", "Border" or
// "Chunk" entry is the second image of the element before it.
enum TFlatControlElement {
    feScrollbar = feCaptionButton + FlatMaxCaptionButtons,
    feHorzScroll,
    feVertScroll,
    feHorzScrollThumb,
    feVertScrollThumb,
    feSunkEdge,
    feComboButton,
    feExtraImages,
    feUpDownVert,
    feUpDownVertGlyph,
    feUpDownHorz,
    feUpDownHorzGlyph,
    feTabs,
    feTabsBorder,
    feStatusBarEdges,
    feProgress,
    feProgressChunk,
    feTrackbarThumbHorz,
    feTrackbarThumbVert,
    feHeaderbar,
    feFlatElementEnd
};

// The colour of frame Frame of element Element (0 .. feFlatElementEnd - 1): red 12 + 12 x
// Element, green 20 x Frame, blue 96 for the frame, title and caption-button elements (frames
// 1..FlatMaxFrames); red 6 + 11 x (Element - feScrollbar), green 10 x Frame, blue 160 for the
// control elements (frames 1..FlatMaxControlFrames). Never the key colour; no two are alike; raises std::out_of_range outside those
// ranges.
COLORREF FlatColour(int Element, int Frame);
// The colour of the index-th key of FlatColourKeys (red 30 + 12 x index, green 200 - 8 x
// index, blue 200): unlike every element colour.
COLORREF FlatKeyColour(int Index);
// The "Colours" keys in the order FlatKeyColour numbers them.
extern const char* const FlatColourKeys[16];

struct TFlatSkin {
    // Squares of the key colour (magenta) at the corners of every frame, sides in pixels.
    struct TCorners {
        int TopLeft = 0;
        int TopRight = 0;
        int BottomLeft = 0;
        int BottomRight = 0;
    };
    // A frame piece: Size is its thickness (the border width, or the caption or bottom
    // height), Length the frame's extent along the border. Left and right frames lie side by
    // side, top and bottom ones stacked. MarginStart and MarginEnd are the keys
    // <Piece>TopHeight and <Piece>BotHeight (top and bottom margins of the left and right
    // pieces, left and right margins of the top and bottom ones).
    struct TPiece {
        int Size;
        int Length;
        int MarginStart;
        int MarginEnd;
        TCorners Cut;
        int Frames = 2;
        int Stretch = 1;
        int Trans = 1;
    };
    // One caption button section: its keys, and an image of Frames frames of Width x Height
    // side by side. Frames 0 leaves the "frame" key out (the loader then derives it) and
    // draws 6 frames.
    struct TButton {
        int Action;
        int Align;
        int XCoord;
        int YCoord;
        int Visibility;
        int Visibility1 = 0;
        int Frames = 6;
        int Width = 16;
        int Height = 14;
    };
    // An element of Frames frames of Width x Height (stacked or side by side).
    struct TImage {
        bool Present = false;
        int Width;
        int Height;
        int Frames;
        TCorners Cut;
    };

    std::string SkinName = "Flat";
    TPiece Left{4, 40, 22, 4, TCorners{3, 0, 0, 0}};
    TPiece Right{4, 40, 22, 4, TCorners{0, 3, 0, 0}};
    TPiece Top{22, 40, 0, 0, TCorners{}};
    TPiece Bottom{4, 40, 0, 0, TCorners{}};

    // "TextBack": the band behind the caption text, 2 frames stacked.
    TImage TextBack{true, 24, 16, 2, {}};
    int TextBackLeft = 4;    // TXTBackleft
    int TextBackRight = 4;   // TXTBackRight
    int TextShift = 30;
    int TextShiftVert = 0;
    int TextRightClip = 70;
    int TextAlignment = 0;
    int TextBackground = 1;

    // "Colours" keys and their RGB values; a key removed here is left out of the skin.
    std::map<std::string, COLORREF> Colours = DefaultColours();

    // close, maximise (while not maximised), restore (while maximised), minimise, icon.
    std::vector<TButton> Buttons = DefaultButtons();

    // "menuBar" (2 frames stacked) and its tile keys.
    TImage MenuBar{false, 30, 18, 2, {}};
    int TileMenu = 0;
    int TileLeftMenu = 4;
    int TileRightMenu = 4;
    // "MDICONTROLS": 12 cells side by side (minimise, restore, close, 4 states each).
    TImage MDIControls{false, 12, 10, 12, {}};
    // "MenuItem" (5 frames side by side) and "MenuBackground" (1 frame), with their margins
    // left, top, right, bottom.
    TImage MenuItem{false, 24, 18, 5, {}};
    int MenuItemMargins[4] = {3, 2, 3, 2};
    TImage MenuBackground{false, 32, 32, 1, {}};
    int MenuBackgroundMargins[4] = {2, 2, 2, 2};
    // "Buttons": the push buttons' "Bitmap" (5 frames side by side) with its margins left,
    // top, right, bottom and its NormalColour2, MouseOverColour2 and PressedColour2; the
    // "CheckButton" and "RadioButton" images with their frame counts.
    TImage PushButton{false, 24, 20, 5, {}};
    int PushButtonMargins[4] = {3, 3, 3, 3};
    COLORREF ButtonTextColours[3] = {RGB(240, 40, 40), RGB(40, 240, 40), RGB(240, 240, 40)};
    TImage CheckButton{false, 13, 13, 4, {}};
    TImage RadioButton{false, 13, 13, 4, {}};

    // An element of the control kinds: section Section with its image (ImageKey) of Frames
    // flat frames of Width x Height side by side, its margin keys (left, top, right,
    // bottom), "Trans" and "Tile"; with a SecondKey, a second image of the same frames in the
    // colours of Element + 1.
    struct TControlElement {
        int Element = feScrollbar;
        std::string Section;
        int Width = 16;
        int Height = 16;
        int Frames = 1;
        std::string ImageKey = "Image";
        std::string SecondKey;
        int Margins[4] = {2, 2, 2, 2};
        int Trans = 0;
        int Tile = 0;
    };
    // The control elements present, in the order written.
    std::vector<TControlElement> ControlElements;
    // Element (one of TFlatControlElement without a second image of its own) with its
    // section name, the frame count the skin component fixes for it and a plausible size.
    static TControlElement ControlElement(TFlatControlElement Element);
    // Adds ControlElement(Element) for each of Elements; answers this skin.
    TFlatSkin& WithControls(std::initializer_list<TFlatControlElement> Elements);

    // Set after everything above, replacing a key of the same section and name: (section,
    // key, value). For what the options do not cover, and for nonsense.
    std::vector<std::pair<std::pair<std::string, std::string>, std::string>> ExtraKeys;
    // Container entries added after the generated ones, replacing an entry of the same name.
    std::vector<TSkinEntry> ExtraEntries;

    static std::map<std::string, COLORREF> DefaultColours();
    static std::vector<TButton> DefaultButtons();

    // The description text ("skin.ini").
    std::string Description() const;
    // The container's entries: the description first, then the bitmaps.
    std::vector<TSkinEntry> Entries() const;
    // The packed (compressed) skin file's bytes.
    std::string Pack() const;
    // Pack() written to Path; raises std::runtime_error when it cannot be written.
    void WriteFile(const std::string& Path) const;
};

// A 24-bit BMP file of W x H pixels of one colour.
std::string FlatBmp(int W, int H, COLORREF Colour);

// Packed skins (name, bytes) full of nonsense that the skin component still accepts: frame
// counts far above the bitmaps' widths, zero and negative; margins far beyond the elements;
// 1 x 1 bitmaps everywhere; no elements at all; caption buttons far outside the window;
// negative numbers in every key; numbers too large to read; a huge caption-button bitmap;
// bitmaps of the key colour only; broken and missing bitmaps.
std::vector<std::pair<std::string, std::string>> HostileSkins();
// The hostile skins that reach the control elements: those about the window frame alone
// (caption buttons, borders, the title) and the unreadable numbers, which read as defaults,
// tell a control kind nothing new.
std::vector<std::pair<std::string, std::string>> HostileControlSkins();
