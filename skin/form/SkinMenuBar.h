#pragma once
// TWinSkinMenu: the menu bar of a skinned window, drawn in the strip under the title bar with
// one TMenuBtn per top-level item (the system's own bar is taken off the window). A click or
// Alt with an item's letter opens the item's popup with TrackPopupMenu; while it is open a
// message-filter hook lets Left/Right and mouse moves switch to the neighbouring item, as the
// system's bar would.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "skin/form/NCObjects.h"

class TCanvas;
class TMainMenu;
class TMenuItem;
class TSkinData;
class TWinSkinForm;

class TWinSkinMenu : public TComponent {
    PANTREL_CLASS(TWinSkinMenu, TComponent)
    TWinSkinMenu(TWinSkinForm* AForm, TSkinData* ASkin, TMainMenu* AMenu);
    ~TWinSkinMenu() override;

    // Buttons from the window's menu / from the framework menu / from a given menu handle;
    // each takes the system's bar off the window.
    void BuildFromHandle();
    void BuildFromMenu();
    void BuildFromMenuHandle(HMENU Menu);
    // Draws the bar into Rect (window coordinates) of DC.
    void PaintBar(HDC DC, const RECT& Rect);
    // The first button with a caption whose rectangle holds P (window coordinates).
    TMenuBtn* ButtonAt(POINT P) const;
    bool RightToLeft() const;

    std::vector<std::unique_ptr<TMenuBtn>> FButtons;
    TMainMenu* FMenu;  // the form's Menu; null for a bare window
    RECT FBarRect{};
    TSkinData* FSkin;
    TWinSkinForm* FForm;
    TBitmap FBackground;  // the bar as painted before the captions
    TFont FMenuFont;      // the system's menu font
    int FCount = 0;
    HMENU FMenuHandle = nullptr;

private:
    // Buttons from FMenuHandle's items; an item without text is taken from the framework
    // menu by position, or by command.
    void BuildButtons(bool ByCommand);
    // The framework menu's top-level item at Position, or (Position < 0) with Command.
    TMenuItem* FrameworkItem(int Position, int32_t Command) const;
    // A button for item Position of Menu from the system's description of the item.
    std::unique_ptr<TMenuBtn> ButtonFromItem(HMENU Menu, int Position);
    void FreeButtons();
    void TakeSystemBar();
    // Left edge of the first caption (from the right for a right-to-left bar).
    int FirstCaptionX(int BarWidth) const;
    void PaintBackground(TBitmap& Bitmap, const RECT& R);
    void PaintMDIButtons(TBitmap& Bitmap, const RECT& Bar);
};

// Windows NT 4, whose menus stay as the system draws them.
bool IsWindowsNT4();
// Marks every item of Menu and of its sub-popups owner-drawn.
void MakeOwnerDraw(HMENU Menu);
// A bar button's caption centred in Rect, in the bar's font and colours.
void DrawBarCaption(TCanvas& Canvas, const RECT& Rect, const TMenuBtn& Button);
// While a popup of a skinned bar is open: the menu reports its selection (WM_MENUSELECT).
void BarMenuSelect(TWinSkinForm* Form, WPARAM WParam, LPARAM LParam);
