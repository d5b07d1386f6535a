#include "tools/skintool/SkinInfo.h"

#include <cstdio>
#include <string>

#include "framework/core/CodePage.h"
#include "skin/data/SkinData.h"

namespace {

// Writes one JSON object member by member.
class TJsonObject {
public:
    explicit TJsonObject(std::string& AOut) : Out(AOut) { Out += "{"; }
    ~TJsonObject() { Out += "}"; }
    std::string& Key(const char* Name)
    {
        Out += First ? "\"" : ", \"";
        First = false;
        Out += Name;
        Out += "\": ";
        return Out;
    }
    void Int(const char* Name, int64_t Value) { Key(Name) += std::to_string(Value); }
    void Text(const char* Name, const std::string& Gbk) { Quote(Key(Name), Gbk); }
    void Bitmap(const char* Name, TBitmap& B)
    {
        Key(Name) += "[" + std::to_string(B.Width()) + ", " + std::to_string(B.Height()) + "]";
    }

    static void Quote(std::string& Out, const std::string& Gbk)
    {
        Out += '"';
        for (unsigned char C : GbkToUtf8(Gbk)) {
            if (C == '"' || C == '\\') {
                Out += '\\';
                Out += char(C);
            } else if (C < 0x20) {
                char Escaped[8];
                std::snprintf(Escaped, sizeof Escaped, "\\u%04x", C);
                Out += Escaped;
            } else {
                Out += char(C);
            }
        }
        Out += '"';
    }

private:
    std::string& Out;
    bool First = true;
};

void Element(std::string& Out, TDataSkinObject* E)
{
    if (!E) {
        Out += "null";
        return;
    }
    TJsonObject J(Out);
    J.Text("Name", E->Name);
    J.Int("LeftWidth", E->LeftWidth);
    J.Int("TopHeight", E->TopHeight);
    J.Int("RightWidth", E->RightWidth);
    J.Int("BottomHeight", E->BottomHeight);
    J.Int("Trans", E->Trans);
    J.Int("Tile", E->Tile);
    J.Int("FrameCount", E->FrameCount);
    J.Int("Style", E->Style);
    J.Int("NormalColour", E->NormalColour);
    J.Int("MouseOverColour", E->MouseOverColour);
    J.Int("PressedColour", E->PressedColour);
    J.Int("NormalColour2", E->NormalColour2);
    J.Int("MouseOverColour2", E->MouseOverColour2);
    J.Int("PressedColour2", E->PressedColour2);
    J.Bitmap("Bitmap", *E->Bitmap);
    if (auto* B = dynamic_cast<TDataSkinBorder*>(E))
        J.Bitmap("Bitmap2", *B->Bitmap2);
    if (auto* B = dynamic_cast<TDataSkinButton*>(E)) {
        J.Bitmap("CheckBitmap", *B->CheckBitmap);
        J.Bitmap("RadioBitmap", *B->RadioBitmap);
        J.Int("RadioFrameCount", B->RadioFrameCount);
        J.Int("CheckFrameCount", B->CheckFrameCount);
    }
    if (auto* T = dynamic_cast<TDataSkinTitle*>(E)) {
        J.Int("TextAlignment", T->TextAlignment);
        J.Int("TextBackground", T->TextBackground);
        J.Int("FontHeight", T->FontHeight);
        J.Int("TextBackLeft", T->TextBackLeft);
        J.Int("TextBackRight", T->TextBackRight);
        J.Int("ActiveTextColor", T->ActiveTextColor);
        J.Int("InactiveTextColor", T->InactiveTextColor);
    }
    if (auto* S = dynamic_cast<TDataSkinSysButton*>(E)) {
        J.Int("Action", S->Action);
        J.Int("Align", S->Align);
        J.Int("XCoord", S->XCoord);
        J.Int("YCoord", S->YCoord);
        J.Int("CombineOp", S->CombineOp);
        J.Int("Visibility", S->Visibility);
        J.Int("Visibility1", S->Visibility1);
    }
}

std::string SkinJson(TSkinData& S)
{
    std::string Out;
    {
        TJsonObject J(Out);
        J.Text("SkinName", S.SkinName);
        const std::pair<const char*, TColor> Colors[] = {
            {"WindowTextColor", S.WindowTextColor}, {"ButtonFaceColor", S.ButtonFaceColor},
            {"ScrollbarColor", S.ScrollbarColor}, {"HilightTextColor", S.HilightTextColor},
            {"HilightColor", S.HilightColor}, {"MenubarColor", S.MenubarColor},
            {"MenuColor", S.MenuColor}, {"MenuTextColor", S.MenuTextColor},
            {"ButtonTextColor", S.ButtonTextColor}, {"ButtonHilightColor", S.ButtonHilightColor},
            {"ButtonLightColor", S.ButtonLightColor}, {"ButtonShadowColor", S.ButtonShadowColor},
            {"ButtonDkShadowColor", S.ButtonDkShadowColor}, {"MenuBarTextColor", S.MenuBarTextColor},
            {"TitleTextActiveColor", S.TitleTextActiveColor},
            {"TitleTextNoActiveColor", S.TitleTextNoActiveColor}};
        for (const auto& [Name, Value] : Colors)
            J.Int(Name, Value);
        std::string& Colours = J.Key("Colours");
        Colours += "[";
        for (size_t I = 0; I < S.Colours.size(); ++I)
            Colours += (I ? ", " : "") + std::to_string(S.Colours[I]);
        Colours += "]";
        const std::pair<const char*, TDataSkinObject*> Elements[] = {
            {"BorderLeft", S.BorderLeft.get()}, {"BorderRight", S.BorderRight.get()},
            {"BorderTop", S.BorderTop.get()}, {"BorderBottom", S.BorderBottom.get()},
            {"Title", S.Title.get()}, {"Buttons", S.Buttons.get()}, {"Progress", S.Progress.get()},
            {"MenuBar", S.MenuBar.get()}, {"GroupBoxEdge", S.GroupBoxEdge.get()},
            {"Toolbars", S.Toolbars.get()}, {"Tabs", S.Tabs.get()},
            {"StatusBarEdges", S.StatusBarEdges.get()}, {"ComboButton", S.ComboButton.get()},
            {"SunkEdge", S.SunkEdge.get()}, {"ExtraImages", S.ExtraImages.get()},
            {"Headerbar", S.Headerbar.get()}, {"MenuItem", S.MenuItem.get()},
            {"MenuBackground", S.MenuBackground.get()}, {"Scrollbar", S.Scrollbar.get()},
            {"HorzScroll", S.HorzScroll.get()}, {"VertScroll", S.VertScroll.get()},
            {"HorzScrollThumb", S.HorzScrollThumb.get()}, {"VertScrollThumb", S.VertScrollThumb.get()},
            {"TrackbarThumbHorz", S.TrackbarThumbHorz.get()}, {"TrackbarThumbVert", S.TrackbarThumbVert.get()},
            {"TrackbarThumbLeft", S.TrackbarThumbLeft.get()}, {"TrackbarThumbRight", S.TrackbarThumbRight.get()},
            {"TrackbarThumbUp", S.TrackbarThumbUp.get()}, {"TrackbarThumbDown", S.TrackbarThumbDown.get()},
            {"UpDownHorz", S.UpDownHorz.get()}, {"UpDownVert", S.UpDownVert.get()}};
        for (const auto& [Name, Object] : Elements)
            Element(J.Key(Name), Object);
        std::string& Buttons = J.Key("SysButtons");
        Buttons += "[";
        for (size_t I = 0; I < S.SysButtons.size(); ++I) {
            Buttons += I ? ",\n  " : "\n  ";
            Element(Buttons, S.SysButtons[I].get());
        }
        Buttons += "]";
    }
    return Out;
}

std::string RefusalMessage;

void KeepMessage(const std::string& Text)
{
    RefusalMessage = Text;
}

}  // namespace

int PrintSkinInfo(const std::string& Path)
{
    ShowSkinMessage = &KeepMessage;
    TSkinData Skin(nullptr);
    Skin.SkinStream->LoadFromFile(Path);
    if (!Skin.LoadSkin()) {
        std::fprintf(stderr, "%s\n", RefusalMessage.empty() ? "not a skin the program accepts"
                                                              : GbkToUtf8(RefusalMessage).c_str());
        return 1;
    }
    std::printf("%s\n", SkinJson(Skin).c_str());
    return 0;
}
