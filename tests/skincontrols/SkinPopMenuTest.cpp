// Popup-menu skinning on real menu windows: a menu opened with TrackPopupMenu is attached by
// the test's own CBT hook, and a timer looks at it while the menu loop runs. The flat test
// skin's "MenuBackground" is one colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/data/SkinData.h"
#include "skin/manage/SkinManage.h"
#include "skin/manage/SkinPopMenu.h"
#include "tests/skinform/FlatSkin.h"
#include "tests/support/Capture.h"

namespace {

const COLORREF Background = FlatColour(feMenuBackground, 1);

// The flat skin with its "MenuBackground", without it, or with an image the skin lacks.
enum TMenuBackground { mbFlat, mbNone, mbMissingImage };

void LoadSkin(TSkinData& Skin, TMenuBackground Kind)
{
    TFlatSkin Flat;
    Flat.MenuBackground.Present = Kind != mbNone;
    if (Kind == mbMissingImage)
        Flat.ExtraKeys.push_back({{"MenuBackground", "Image"}, "missing.bmp"});
    const std::string File = Flat.Pack();
    Skin.SkinStream->Clear();
    Skin.SkinStream->Write(File.data(), int64_t(File.size()));
    Skin.SkinStream->Seek(0, soFromBeginning);
    ASSERT_TRUE(Skin.LoadSkin());
}

// One menu shown by TrackPopupMenu; Look runs from a timer while it is open.
struct TMenuRun {
    TSkinData* Skin = nullptr;
    bool Attach = true;
    std::function<void(HWND)> Look;
    std::unique_ptr<TWinSkinPopMenu> Popup;
    HWND Wnd = nullptr;
    HHOOK Hook = nullptr;
};
TMenuRun* Showing = nullptr;

LRESULT CALLBACK WatchMenus(int Code, WPARAM WParam, LPARAM LParam)
{
    const HWND Wnd = reinterpret_cast<HWND>(WParam);
    if (Code == HCBT_CREATEWND && WindowClassName(Wnd) == "#32768" && !Showing->Wnd) {
        Showing->Wnd = Wnd;
        if (Showing->Attach) {
            Showing->Popup = std::make_unique<TWinSkinPopMenu>();
            Showing->Popup->Attach(Wnd, Showing->Skin, nullptr);
        }
    }
    return CallNextHookEx(Showing->Hook, Code, WParam, LParam);
}

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR Id, DWORD)
{
    KillTimer(nullptr, Id);
    if (Showing->Wnd)
        Showing->Look(Showing->Wnd);
    EndMenu();
}

HMENU TwoItems(UINT Flags = MF_STRING)
{
    const HMENU Menu = CreatePopupMenu();
    AppendMenuA(Menu, Flags, 1, "第一项菜单");
    AppendMenuA(Menu, Flags, 2, "第二项");
    return Menu;
}

// The menus' owner: owner-drawn items are 120 x 20 and draw only a black mark at the left.
LRESULT CALLBACK OwnerProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_MEASUREITEM) {
        auto* Item = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
        Item->itemWidth = 120;
        Item->itemHeight = 20;
        return TRUE;
    }
    if (Msg == WM_DRAWITEM) {
        const auto* Item = reinterpret_cast<const DRAWITEMSTRUCT*>(LParam);
        RECT Mark = Item->rcItem;
        Mark.right = Mark.left + 10;
        FillRect(Item->hDC, &Mark, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    return DefWindowProcA(Wnd, Msg, WParam, LParam);
}

HWND MakeOwner()
{
    WNDCLASSA Class{};
    Class.lpfnWndProc = &OwnerProc;
    Class.hInstance = GetModuleHandleA(nullptr);
    Class.lpszClassName = "SkinPopMenuOwner";
    RegisterClassA(&Class);
    return CreateWindowExA(0, Class.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 40, 40, nullptr, nullptr,
                           Class.hInstance, nullptr);
}

class SkinPopMenu : public ::testing::Test {
protected:
    void SetUp() override { NeedSkinManager().SkinningEnabled = true; }
    void TearDown() override
    {
        Showing = nullptr;
        FinalizeSkinManager();
    }

    // Opens Menu at (150, 150) with its window attached (or only watched) and runs Look.
    void ShowMenu(HMENU Menu, TMenuRun& R, std::function<void(HWND)> Look)
    {
        R.Skin = &Skin;
        R.Look = std::move(Look);
        Showing = &R;
        const HWND Owner = MakeOwner();
        SetForegroundWindow(Owner);
        R.Hook = SetWindowsHookExA(WH_CBT, &WatchMenus, nullptr, GetCurrentThreadId());
        SetTimer(nullptr, 0, 400, &LookAtMenu);
        TrackPopupMenu(Menu, TPM_RETURNCMD, 150, 150, 0, Owner, nullptr);
        UnhookWindowsHookEx(R.Hook);
        DestroyWindow(Owner);
        DestroyMenu(Menu);
        ASSERT_NE(R.Wnd, nullptr) << "no menu window appeared";
    }

    // The screen's picture of a menu of two items, attached or only watched.
    TCapture CaptureMenu(bool Attach)
    {
        TMenuRun R;
        R.Attach = Attach;
        TCapture Shot;
        ShowMenu(TwoItems(), R, [&](HWND Wnd) {
            Shot = CaptureWindow(Wnd);
            EXPECT_EQ(SendMessageA(Wnd, WM_SKINQUERY, 0, 0), Attach ? 1 : 0);
        });
        EXPECT_EQ(CurrentPopup, nullptr);  // nothing painted as a skinned popup
        return Shot;
    }

    TSkinData Skin{nullptr};
};

bool SameCapture(const TCapture& A, const TCapture& B)
{
    return A.Width == B.Width && A.Height == B.Height && A.Rgb == B.Rgb;
}

TEST_F(SkinPopMenu, TheBorderShowsTheSkinAndTheWindowAnswersTheQuery)
{
    LoadSkin(Skin, mbFlat);
    TMenuRun R;
    ShowMenu(TwoItems(), R, [&](HWND Wnd) {
        EXPECT_EQ(SendMessageA(Wnd, WM_SKINQUERY, 0, 0), 1);
        EXPECT_EQ(CurrentPopup, R.Popup.get());  // it painted without knowing its menu
        const TCapture Shot = CaptureWindow(Wnd);
        Shot.SavePng("skin_popmenu_frame.png");
        const int W = Shot.Width, H = Shot.Height;
        for (int I = 0; I < 3; ++I) {
            EXPECT_TRUE(SameColor(Shot.Pixel(I, H / 2), Background)) << "left " << I;
            EXPECT_TRUE(SameColor(Shot.Pixel(W - 1 - I, H / 2), Background)) << "right " << I;
            EXPECT_TRUE(SameColor(Shot.Pixel(W / 2, I), Background)) << "top " << I;
            EXPECT_TRUE(SameColor(Shot.Pixel(W / 2, H - 1 - I), Background)) << "bottom " << I;
        }
        // The background was built for this window's size.
        EXPECT_EQ(R.Popup->FBackground.Width(), W);
        EXPECT_EQ(R.Popup->FBackground.Height(), H);
    });
    // The window's own WM_DESTROY gave it its procedure back.
    EXPECT_FALSE(R.Popup->Attached());
    EXPECT_TRUE(R.Popup->FBackground.Empty());
}

TEST_F(SkinPopMenu, PrintingPutsTheBackgroundUnderTheItems)
{
    LoadSkin(Skin, mbFlat);
    // Owner-drawn items on a menu that leaves its background alone, as skinned menus are.
    const HMENU Menu = TwoItems(MF_OWNERDRAW);
    MENUINFO Info{};
    Info.cbSize = sizeof Info;
    Info.fMask = MIM_BACKGROUND;
    Info.hbrBack = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    SetMenuInfo(Menu, &Info);
    TMenuRun R;
    ShowMenu(Menu, R, [&](HWND Wnd) {
        RECT WR;
        GetWindowRect(Wnd, &WR);
        TBitmap Target;
        Target.SetSize(WR.right - WR.left, WR.bottom - WR.top);
        const HDC DC = Target.Canvas()->Handle();
        SendMessageA(Wnd, WM_PRINT, reinterpret_cast<WPARAM>(DC), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        // The border is the skin's, clipped from the platform's own frame; under the items
        // lies the background, with the items' marks over it.
        const int W = Target.Width(), H = Target.Height();
        for (int I = 0; I < 3; ++I) {
            EXPECT_EQ(Target.Canvas()->Pixels(I, H / 2), TColor(Background)) << I;
            EXPECT_EQ(Target.Canvas()->Pixels(W / 2, H - 1 - I), TColor(Background)) << I;
        }
        int Under = 0;
        for (int Y = 3; Y < H - 3; ++Y)
            for (int X = 3; X < W - 3; ++X)
                Under += Target.Canvas()->Pixels(X, Y) == TColor(Background);
        EXPECT_GT(Under, (W - 6) * (H - 6) / 2);
        EXPECT_LT(Under, (W - 6) * (H - 6));
        EXPECT_EQ(GetBkMode(DC), OPAQUE);
    });
}

TEST_F(SkinPopMenu, WithoutAUsableMenuBackgroundOrWhileSkinningIsOffThePlatformPaints)
{
    LoadSkin(Skin, mbNone);
    const TCapture Reference = CaptureMenu(false);
    Reference.SavePng("skin_popmenu_plain.png");
    EXPECT_TRUE(SameCapture(CaptureMenu(true), Reference));
    LoadSkin(Skin, mbMissingImage);
    EXPECT_TRUE(SameCapture(CaptureMenu(true), Reference));

    LoadSkin(Skin, mbFlat);
    SkinManager->SkinningEnabled = false;
    EXPECT_TRUE(SameCapture(CaptureMenu(true), Reference));
}

TEST_F(SkinPopMenu, AResizedMenuPaintsABackgroundOfItsNewSize)
{
    LoadSkin(Skin, mbFlat);
    TMenuRun R;
    RECT Window{};
    ShowMenu(TwoItems(), R, [&](HWND Wnd) {
        GetWindowRect(Wnd, &Window);
        SetWindowPos(Wnd, nullptr, 0, 0, Window.right - Window.left + 30, Window.bottom - Window.top + 10,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(R.Popup->FBackground.Width(), Window.right - Window.left + 30);
        EXPECT_EQ(R.Popup->FBackground.Height(), Window.bottom - Window.top + 10);
    });
}

}  // namespace
