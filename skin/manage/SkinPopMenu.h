#pragma once
// TWinSkinPopMenu: skins one menu popup window (class "#32768") from outside. It subclasses
// the window, paints the 3-pixel menu border from a background built of the skin element
// "MenuBackground", puts that background under the items when the window is printed, and
// lends it to the menu-item painter. The items themselves are left to the system (or to the
// owner-drawn item painter). The skin manager makes one per popup window.
#include <windows.h>

#include <memory>

#include "framework/core/Object.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Thunk.h"

class TDataSkinObject;
class TSkinData;

class TWinSkinPopMenu : public TObject {
    PANTREL_CLASS(TWinSkinPopMenu, TObject)
    TWinSkinPopMenu() = default;
    // Gives the window back if it is still subclassed.
    ~TWinSkinPopMenu() override;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Subclasses Wnd; Menu is the menu it shows, or null until the item painter tells it.
    void Attach(HWND Wnd, TSkinData* SkinData, HMENU Menu);
    // Gives the window its old procedure back; nothing when not attached.
    void Detach();
    bool Attached() const { return FObjectInstance != nullptr; }
    void CallDefault(TMessage& Message);
    void WndProc(TMessage& Message);
    // WM_NCPAINT: the border strips of the background instead of the system's border.
    void PaintFrame(TMessage& Message);
    // WM_PRINT: the whole background, then the items over it inside the border.
    void PrintBackground(TMessage& Message);
    // Where the client area starts in the window: the item painter finds an item's part of
    // the background there (3, 3 past the border; 0, 0 where the client is the whole window).
    POINT ClientOrigin() const;

    WNDPROC FOldWndProc = nullptr;
    std::unique_ptr<TThunk> FObjectInstance;
    HWND FHandle = nullptr;
    TSkinData* FSkinData = nullptr;
    TBitmap FBackground;  // built for the window's size at every paint; empty until then
    HMENU FMenuHandle = nullptr;

private:
    // "MenuBackground" when a skin is loaded and the element has a bitmap, else null.
    TDataSkinObject* Element() const;
    // Rebuilds FBackground for the window's rectangle R moved to (0, 0); false when it
    // cannot be built.
    bool BuildBackground(const TDataSkinObject& Element, const RECT& R);
    // WM_PAINT: the system's painting, with the background ready for the items first.
    void PaintClient(TMessage& Message);
    // Builds the background for the window's size and offers this object to the item
    // painter while its menu is unknown; false when there is no background.
    bool PrepareBackground(const TDataSkinObject& Element);
    // The border strips of the background, straight onto the window.
    void DrawBorder();
    // Copies Part of FBackground to the same place on DC.
    void CopyBackground(HDC DC, const RECT& Part);
};

// The popup that last painted without knowing its menu, or null; the menu-item painter
// tells it its menu and clears this.
extern TWinSkinPopMenu* CurrentPopup;
