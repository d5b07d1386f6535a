// SkinPreview.exe run from outside as its users run it: the window with its controls and
// menus, the skin named in the caption (Pantrel's own, a skin file, none), the PNG that
// --shot writes, and the windows its menu commands open.
#include <gtest/gtest.h>


#include "tests/skinform/FlatSkin.h"
#include "tests/support/Capture.h"
#include "tests/support/Remote.h"
#include "tools/skintool/LzhEncoder.h"
#include "tools/skintool/SkinContainer.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::string WindowsPath(std::string Path)
{
    for (char& C : Path)
        if (C == '/')
            C = '\\';
    return Path;
}

std::string OutputFile(const std::string& Name)
{
    return TestOutputPath("skinpreview-" + Name);
}

// A skin of its own name and nothing else: the preview must name it in the caption.
std::string WriteNamedSkin(const std::string& Name)
{
    TSkinContainer Container;
    Container.Entries.push_back({"skin.ini", "[TitlebarSkin]\r\nSkinName=" + Name + "\r\n"});
    const std::vector<uint8_t> Packed = TLzhEncoder::Encode(Container.Build());
    const std::string Path = OutputFile("named.skin");
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(Packed.data()), std::streamsize(Packed.size()));
    return Path;
}

bool StartsWith(const std::string& Text, const std::string& Prefix)
{
    return Text.compare(0, Prefix.size(), Prefix) == 0;
}

class TPreview {
public:
    explicit TPreview(const std::string& Arguments)
        : FProcess("\"" + WindowsPath(PANTREL_SKINPREVIEW_EXE) + "\" " + Arguments, TestOutputPath(""))
    {
    }
    TProcess& Process() { return FProcess; }
    HWND WaitForMain()
    {
        FMain = WaitForWindow(FProcess.Id(), "TPreviewForm", nullptr, 20000);
        return FMain;
    }
    HWND Main() const { return FMain; }
    // Waits until the caption starts with Prefix; false on timeout.
    bool WaitForCaption(const std::string& Prefix, DWORD TimeoutMs = 5000) const
    {
        const DWORD Start = GetTickCount();
        while (!StartsWith(TextOf(FMain), Prefix)) {
            if (GetTickCount() - Start >= TimeoutMs)
                return false;
            Sleep(50);
        }
        return true;
    }
    HWND WaitFor(const char* ClassName, const char* Caption = nullptr)
    {
        return WaitForWindow(FProcess.Id(), ClassName, Caption, 10000);
    }
    // Ctrl+Key typed into the window, the way a user runs a menu command by its shortcut
    // (menus of another process cannot be read under Wine, and a skinned window draws
    // its own menu bar).
    void Shortcut(WORD Key) const
    {
        SetForegroundWindow(FMain);
        INPUT In[4] = {};
        for (INPUT& I : In)
            I.type = INPUT_KEYBOARD;
        In[0].ki.wVk = In[3].ki.wVk = VK_CONTROL;
        In[1].ki.wVk = In[2].ki.wVk = Key;
        In[2].ki.dwFlags = In[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, In, sizeof In[0]);
    }
    bool Quit()
    {
        PostMessageA(FMain, WM_CLOSE, 0, 0);
        return FProcess.WaitForExit(10000);
    }

private:
    TProcess FProcess;
    HWND FMain = nullptr;
};

// The window rectangle until the program ends: the last one seen is the one --shot took.
RECT LastRectUntilExit(TPreview& Preview)
{
    RECT Last{};
    while (!Preview.Process().WaitForExit(50)) {
        RECT R;
        if (IsWindow(Preview.Main()) && GetWindowRect(Preview.Main(), &R))
            Last = R;
    }
    return Last;
}

// A picture of a window the preview opened, for people to look at.
void Keep(HWND Window, const std::string& Name)
{
    Sleep(500);   // painted by then, skinned or not
    CaptureWindow(Window).SavePng("skinpreview-" + Name);
}

struct TPng {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgb;
};

uint32_t Big32(const uint8_t* P)
{
    return uint32_t(P[0]) << 24 | uint32_t(P[1]) << 16 | uint32_t(P[2]) << 8 | P[3];
}

// Reads the PNG files the preview writes: 8-bit RGB, unfiltered rows in stored deflate
// blocks. Anything else leaves Width 0.
TPng ReadPng(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    const std::vector<uint8_t> File((std::istreambuf_iterator<char>(In)), {});
    TPng Png;
    if (File.size() < 8 || std::memcmp(File.data(), "\x89PNG\r\n\x1A\n", 8) != 0)
        return Png;
    std::vector<uint8_t> Z;
    int Width = 0, Height = 0;
    for (size_t Pos = 8; Pos + 12 <= File.size();) {
        const size_t Length = Big32(&File[Pos]);
        if (Length > File.size() - Pos - 12)
            return Png;
        const std::string Type(reinterpret_cast<const char*>(&File[Pos + 4]), 4);
        const uint8_t* Data = &File[Pos + 8];
        if (Type == "IHDR" && Length == 13 && Data[8] == 8 && Data[9] == 2) {
            Width = int(Big32(Data));
            Height = int(Big32(Data + 4));
        } else if (Type == "IDAT") {
            Z.insert(Z.end(), Data, Data + Length);
        }
        Pos += Length + 12;
    }
    std::vector<uint8_t> Raw;
    for (size_t Pos = 2; Pos + 5 <= Z.size();) {   // after the zlib header
        const bool Last = Z[Pos] & 1;
        if ((Z[Pos] >> 1) != 0)
            return Png;   // not a stored block
        const size_t Length = Z[Pos + 1] | Z[Pos + 2] << 8;
        if (Length > Z.size() - Pos - 5)
            return Png;
        Raw.insert(Raw.end(), Z.begin() + Pos + 5, Z.begin() + Pos + 5 + Length);
        Pos += 5 + Length;
        if (Last)
            break;
    }
    const size_t Row = size_t(Width) * 3 + 1;
    if (Width <= 0 || Height <= 0 || Raw.size() != Row * Height)
        return Png;
    for (int Y = 0; Y < Height; ++Y) {
        if (Raw[Y * Row] != 0)
            return TPng{};
        Png.Rgb.insert(Png.Rgb.end(), Raw.begin() + Y * Row + 1, Raw.begin() + (Y + 1) * Row);
    }
    Png.Width = Width;
    Png.Height = Height;
    return Png;
}

size_t ColourCount(const TPng& Png)
{
    std::set<uint32_t> Colours;
    for (size_t I = 0; I + 2 < Png.Rgb.size(); I += 3)
        Colours.insert(uint32_t(Png.Rgb[I]) << 16 | Png.Rgb[I + 1] << 8 | Png.Rgb[I + 2]);
    return Colours.size();
}

// Runs the preview with Arguments plus --shot; checks that it ends with 0 and that the PNG
// is the window, frame included, and shows more than a blank.
void ExpectShot(const std::string& Arguments, const std::string& Name, const std::string& CaptionPrefix)
{
    const std::string File = OutputFile(Name);
    std::remove(File.c_str());
    TPreview Preview(Arguments + " --shot \"" + File + "\"");
    ASSERT_TRUE(Preview.WaitForMain()) << Arguments;
    EXPECT_TRUE(StartsWith(TextOf(Preview.Main()), CaptionPrefix)) << TextOf(Preview.Main());
    const RECT R = LastRectUntilExit(Preview);
    EXPECT_EQ(Preview.Process().ExitCode(), 0u);
    const TPng Png = ReadPng(File);
    ASSERT_GT(Png.Width, 0) << File << " is not a PNG of the preview's kind";
    EXPECT_EQ(Png.Width, R.right - R.left);
    EXPECT_EQ(Png.Height, R.bottom - R.top);
    EXPECT_GT(ColourCount(Png), 16u) << File << " is blank";
}

TEST(SkinPreview, ShowsEveryControlWithTheSkinNamedInTheCaption)
{
    TPreview Preview("");
    const HWND Main = Preview.WaitForMain();
    ASSERT_TRUE(Main);
    EXPECT_TRUE(Preview.WaitForCaption("Pantrel Terracotta")) << TextOf(Main);
    // While the skin takes the window and fits its frame, the window paints nothing and counts
    // as hidden for a moment, its controls with it: a control must show once that is over.
    const auto HiddenControls = [Main] {
        std::string Hidden;
        for (const char* Class : {"TButton", "TEdit", "TComboBox", "TMemo", "TTreeView", "TPanel", "TGroupBox",
                                  "TStatusBar", "TBitBtn", "TCheckBox", "TRadioButton", "TRadioGroup", "TUpDown",
                                  "TListBox", "TScrollBar", "TPageControl", "TTabSet", "TProgressBar", "TTrackBar",
                                  "TListView"}) {
            const std::vector<HWND> Found = Descendants(Main, Class);
            if (Found.empty())
                Hidden += std::string(Class) + " (none) ";
            for (HWND Control : Found)
                if (!IsWindowVisible(Control))
                    Hidden += std::string(Class) + " ";
        }
        return Hidden;
    };
    std::string Hidden = HiddenControls();
    for (const DWORD Start = GetTickCount(); !Hidden.empty() && GetTickCount() - Start < 5000; Hidden = HiddenControls())
        Sleep(20);
    EXPECT_EQ(Hidden, "");
    std::vector<bool> Enabled;
    for (HWND Button : Descendants(Main, "TButton"))
        Enabled.push_back(IsWindowEnabled(Button));
    EXPECT_EQ(Enabled, (std::vector<bool>{true, false}));
    // An unchecked and a checked box of each kind; the radio group's buttons are radio buttons too.
    std::vector<LRESULT> Checks;
    for (HWND Box : Descendants(Main, "TCheckBox"))
        Checks.push_back(SendMessageA(Box, BM_GETCHECK, 0, 0));
    EXPECT_EQ(Checks, (std::vector<LRESULT>{BST_UNCHECKED, BST_CHECKED}));
    EXPECT_GE(Descendants(Main, "TRadioButton").size(), 2u + 3u);
    EXPECT_EQ(SendMessageA(Descendants(Main, "TUpDown").front(), UDM_GETBUDDY, 0, 0),
              LRESULT(Descendants(Main, "TEdit").back()));
    const HWND Memo = Descendants(Main, "TMemo").front();
    const LONG_PTR MemoStyle = GetWindowLongPtrA(Memo, GWL_STYLE);
    EXPECT_EQ(MemoStyle & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    EXPECT_GE(SendMessageA(Descendants(Main, "TStatusBar").front(), SB_GETPARTS, 0, 0), 2);

    // A right click in the client area pops up the window's own menu.
    RECT R;
    GetWindowRect(Main, &R);
    PostMessageA(Main, WM_CONTEXTMENU, WPARAM(Main), MAKELPARAM(R.right - 60, R.bottom - 80));
    const HWND Popup = Preview.WaitFor("#32768");
    ASSERT_TRUE(Popup) << "no popup menu";
    Keep(Popup, "popup.png");
    PostMessageA(Main, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitForWindowGone(Popup));
    EXPECT_TRUE(Preview.Quit());
    EXPECT_EQ(Preview.Process().ExitCode(), 0u);
}

TEST(SkinPreview, AFlatSkinPaintsEveryControlFromItsElements)
{
    TFlatSkin Skin;
    Skin.SkinName = "Every element";
    Skin.PushButton.Present = Skin.CheckButton.Present = Skin.RadioButton.Present = true;
    Skin.WithControls({feScrollbar, feHorzScroll, feVertScroll, feHorzScrollThumb, feVertScrollThumb, feSunkEdge,
                       feComboButton, feExtraImages, feUpDownVert, feUpDownHorz, feTabs, feStatusBarEdges, feProgress,
                       feTrackbarThumbHorz, feTrackbarThumbVert, feHeaderbar});
    const std::string File = OutputFile("every-element.skin");
    Skin.WriteFile(File);
    TPreview Preview("\"" + File + "\"");
    const HWND Main = Preview.WaitForMain();
    ASSERT_TRUE(Main);
    ASSERT_TRUE(Preview.WaitForCaption("Every element")) << TextOf(Main);
    Keep(Main, "every-element.png");

    // Each control shows some frame of its element somewhere on it.
    const std::pair<const char*, int> Controls[] = {
        {"TButton", feButtons},         {"TBitBtn", feButtons},         {"TCheckBox", feCheckButton},
        {"TRadioButton", feRadioButton}, {"TComboBox", feComboButton},  {"TUpDown", feUpDownVert},
        {"TMemo", feVertScrollThumb},   {"TTreeView", feVertScroll},    {"TListBox", feHorzScrollThumb},
        {"TScrollBar", feScrollbar},    {"TProgressBar", feProgress},   {"TTrackBar", feTrackbarThumbHorz},
        {"TListView", feHeaderbar},     {"TPageControl", feTabs},       {"TTabSet", feTabs},
        {"TStatusBar", feStatusBarEdges}};
    for (const auto& [Class, Element] : Controls) {
        const std::vector<HWND> Found = Descendants(Main, Class);
        ASSERT_FALSE(Found.empty()) << Class;
        const TCapture Shot = CaptureWindow(Found.front());
        int Hits = 0;
        for (int Y = 0; Y < Shot.Height; ++Y)
            for (int X = 0; X < Shot.Width; ++X)
                for (int F = 1; F <= 8; ++F)
                    Hits += SameColor(Shot.Pixel(X, Y), FlatColour(Element, F), 2);
        EXPECT_GT(Hits, 0) << Class << " shows nothing of its element";
    }
    EXPECT_TRUE(Preview.Quit());
}

TEST(SkinPreview, PlainWindowIsSizeableWithAMenuBar)
{
    TPreview Preview("--plain");
    const HWND Main = Preview.WaitForMain();
    ASSERT_TRUE(Main);
    EXPECT_TRUE(StartsWith(TextOf(Main), "Plain")) << TextOf(Main);
    const LONG_PTR Style = GetWindowLongPtrA(Main, GWL_STYLE);
    for (LONG_PTR Bit : {LONG_PTR(WS_THICKFRAME), LONG_PTR(WS_SYSMENU), LONG_PTR(WS_MINIMIZEBOX), LONG_PTR(WS_MAXIMIZEBOX)})
        EXPECT_TRUE(Style & Bit) << std::hex << Bit;

    EXPECT_TRUE(GetMenu(Main));
    EXPECT_TRUE(Preview.Quit());
}

TEST(SkinPreview, MenuCommandsOpenTheirWindows)
{
    TPreview Preview("");
    const HWND Main = Preview.WaitForMain();
    ASSERT_TRUE(Main);

    Preview.Shortcut('M');   // the framework's message dialog
    HWND Box = Preview.WaitFor("TMessageForm");
    ASSERT_TRUE(Box);
    Keep(Box, "message-dialog.png");
    PressOk(Box);
    EXPECT_TRUE(WaitForWindowGone(Box));

    Preview.Shortcut('B');   // the system's message box
    Box = Preview.WaitFor("#32770", "SkinPreview");
    ASSERT_TRUE(Box);
    PressOk(Box);
    EXPECT_TRUE(WaitForWindowGone(Box));

    Preview.Shortcut('P');   // the picture chooser, with its file list
    HWND Chooser = Preview.WaitFor("#32770");
    ASSERT_TRUE(Chooser);
    EXPECT_FALSE(Descendants(Chooser, "SysListView32").empty());
    PostMessageA(Chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForWindowGone(Chooser));

    Preview.Shortcut('D');   // the MDI demo: a frame, its client and two children
    const HWND Frame = Preview.WaitFor("SkinPreviewMdiFrame");
    ASSERT_TRUE(Frame);
    const std::vector<HWND> Clients = Descendants(Frame, "MDIClient");
    ASSERT_EQ(Clients.size(), 1u);
    EXPECT_EQ(Descendants(Clients.front(), "SkinPreviewMdiChild").size(), 2u);
    Keep(Frame, "mdi.png");
    PostMessageA(Frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForWindowGone(Frame));

    // Another skin file, chosen in the file dialog, names itself in the caption; switching
    // skinning off leaves the window plain.
    const std::string Skin = WriteNamedSkin("Test Flat");
    EXPECT_TRUE(Preview.WaitForCaption("Pantrel Terracotta")) << TextOf(Main);
    Preview.Shortcut('O');
    Chooser = Preview.WaitFor("#32770");
    ASSERT_TRUE(Chooser);
    ChooseFile(Chooser, Skin);
    EXPECT_TRUE(Preview.WaitForCaption("Test Flat")) << TextOf(Main);
    Preview.Shortcut('K');
    EXPECT_TRUE(Preview.WaitForCaption("Plain")) << TextOf(Main);
    Preview.Shortcut('K');
    EXPECT_TRUE(Preview.WaitForCaption("Test Flat")) << TextOf(Main);

    // The save command writes the window as the file named in the save dialog.
    const std::string Shot = OutputFile("saved.png");
    std::remove(Shot.c_str());
    Preview.Shortcut('S');
    HWND Saver = Preview.WaitFor("#32770");
    ASSERT_TRUE(Saver);
    ChooseFile(Saver, Shot);
    EXPECT_TRUE(WaitForWindowGone(Saver));
    const DWORD Start = GetTickCount();
    while (ReadPng(Shot).Width == 0 && GetTickCount() - Start < 5000)
        Sleep(100);
    RECT R;
    GetWindowRect(Main, &R);
    EXPECT_EQ(ReadPng(Shot).Width, R.right - R.left);

    EXPECT_TRUE(Preview.Quit());
}

TEST(SkinPreview, ShotWritesTheWindowAsPng)
{
    ExpectShot("", "pantrel.png", "Pantrel Terracotta");
    ExpectShot("--plain", "plain.png", "Plain");
    ExpectShot("\"" + WriteNamedSkin("Test Flat") + "\"", "named.png", "Test Flat");
}

TEST(SkinPreview, ShotToAnUnwritablePlaceFails)
{
    TPreview Preview("--shot \"" + OutputFile("no-such-folder\\shot.png") + "\"");
    ASSERT_TRUE(Preview.WaitForMain());
    ASSERT_TRUE(Preview.Process().WaitForExit(20000));
    EXPECT_EQ(Preview.Process().ExitCode(), 1u);
}

TEST(SkinPreview, MissingSkinFileStillShowsThePlainWindow)
{
    TPreview Preview("\"" + OutputFile("missing.skin") + "\"");
    const HWND Main = Preview.WaitForMain();
    ASSERT_TRUE(Main);
    EXPECT_TRUE(StartsWith(TextOf(Main), "Plain")) << TextOf(Main);
    EXPECT_FALSE(Descendants(Main, "TMemo").empty());
    EXPECT_TRUE(Preview.Quit());
}

// Skins full of nonsense, handed to the preview as a user would: the window opens, takes many
// repaints and resizes, answers, and the program ends normally.
TEST(SkinPreview, HostileSkinsNeitherCrashNorHang)
{
    for (const auto& [Name, Bytes] : HostileSkins()) {
        const std::string File = OutputFile("hostile-" + Name + ".skin");
        {
            std::ofstream Out(File, std::ios::binary);
            Out << Bytes;
        }
        TPreview Preview("\"" + File + "\"");
        const HWND Main = Preview.WaitForMain();
        ASSERT_TRUE(Main) << Name;
        Sleep(600);  // skinned by now
        for (const SIZE Size : {SIZE{820, 600}, SIZE{1, 1}, SIZE{0, 0}, SIZE{300, 120}, SIZE{1000, 740}}) {
            SetWindowPos(Main, nullptr, 0, 0, Size.cx, Size.cy, SWP_NOMOVE | SWP_NOZORDER);
            for (int I = 0; I < 20; ++I)
                RedrawWindow(Main, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            DWORD_PTR Answer = 0;
            EXPECT_TRUE(SendMessageTimeoutA(Main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &Answer)) << Name;
        }
        EXPECT_TRUE(Preview.Quit()) << Name;
        EXPECT_EQ(Preview.Process().ExitCode(), 0u) << Name;
    }
}

} // namespace
