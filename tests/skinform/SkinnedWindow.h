// Skinned windows for the tests: a flat-colour skin loaded into a skin component (main-form
// kind, active) whose manager watches the thread as in the program, and forms made in code
// that are skinned when they are shown and activated.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "framework/ui/Form.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "tests/skin/SkinTestKit.h"
#include "tests/skinform/FlatSkin.h"

struct TFormOptions {
    TFormBorderStyle BorderStyle = bsSizeable;
    TBorderIcons BorderIcons = {biSystemMenu, biMinimize, biMaximize};
    int ClientWidth = 320;
    int ClientHeight = 200;
    std::string Caption = "Flat window";
    int Left = 100;
    int Top = 100;
};

class SkinnedWindow : public ::testing::Test {
protected:
    void TearDown() override;

    // A component holding Skin (registered with the manager, hook running, skinning on).
    TSkinData& LoadSkin(const TFlatSkin& Skin, TSkinFormType Kind = sfMainform, bool Active = true);
    // A form made in code (not shown yet), freed by the fixture.
    TForm* MakeForm(const TFormOptions& Options = {});
    // Shows and activates Form and waits until its frame is skinned and fitted; null when
    // it is not skinned.
    TWinSkinForm* ShowSkinned(TForm* Form);
    static TWinSkinForm* SkinOf(HWND Wnd);
    // Handles messages until Wnd's skin object has started (its frame fitted, or left to the
    // system); its skin object, or null after three seconds without one.
    static TWinSkinForm* WaitStarted(HWND Wnd);
    // Waits until the window's non-client area has been painted by the skin.
    static void Settle(DWORD Ms = 150);

    std::vector<std::unique_ptr<TSkinRoot>> Roots;
    std::vector<TForm*> Forms;
};

inline int Width(const RECT& R) { return R.right - R.left; }
inline int Height(const RECT& R) { return R.bottom - R.top; }
// The window's rectangle on the screen.
RECT WindowRect(HWND Wnd);
// Window-relative pixel of a capture of the whole window.
COLORREF WindowPixel(HWND Wnd, int X, int Y);
// Runs Steps one after another from a thread timer, Interval ms apart, also while a modal
// menu loop runs (which is how a test acts inside an open menu).
void RunDuringMenus(std::vector<std::function<void()>> Steps, UINT Interval = 250);
// The visible menu popup window on top, or null.
HWND VisibleMenuWindow();
