// Menus: TMenuItem (one entry, with its sub-items and their popup handle), TMenu and its two
// kinds, TMainMenu (a form's menu bar) and TPopupMenu (popped up at a point). Items are
// built into system menus; owner-drawn items are measured and painted by the items (or
// their OnMeasureItem / OnDrawItem handlers), commands run the item's OnClick.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/ui/ControlTypes.h"
#include "framework/ui/Messages.h"

class TCanvas;
class TImageList;
class TMenu;

// A key with modifiers: the virtual key in the low byte, scShift/scCtrl/scAlt above.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, bool Shift, bool Ctrl, bool Alt);
// "Ctrl+S", "Shift+F4", "Del"; "" for scNone or a key without a name.
std::string ShortCutToText(TShortCut Value);
// The reverse of ShortCutToText; scNone for text it does not know.
TShortCut TextToShortCut(const std::string& Text);
// The accelerator character of a caption ('&' before it; "&&" is a literal '&'),
// upper-cased; 0 when there is none.
char GetHotkey(const std::string& Caption);
// Key (a character, any letter case) is the caption's accelerator.
bool IsAccel(unsigned Key, const std::string& Caption);
// The caption without its accelerator marks ("&&" gives "&").
std::string StripHotkey(const std::string& Caption);
// The system's menu font.
LOGFONTA MenuLogFont();

PANTREL_ENUM(TMenuAutoFlag, maAutomatic, maManual, maParent)
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

using TMenuDrawItemEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;
using TMenuMeasureItemEvent = TDelegate<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
    PANTREL_CLASS(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // The default item of its popup, shown bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // Automatic accelerators for the sub-items (maParent: as the menu says).
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag Value);
    bool IsLine() const { return FCaption == "-"; }

    // The WM_COMMAND identifier, unique in the process.
    WORD Command() const { return FCommand; }
    // The popup menu holding the sub-items (made on demand).
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes the item out (without freeing it).
    void Remove(TMenuItem* Item);
    void Delete(int Index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    // The menu this item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;
    // The images of the item's menu, or null.
    TImageList* GetImageList() const;
    // The sub-item with the command / popup handle / shortcut, at any depth; null if none.
    TMenuItem* Find(UINT_PTR Value, TFindItemKind Kind);

    // Runs OnClick (only for an enabled item).
    virtual void Click();
    // Paint and size of an owner-drawn item. The defaults draw the glyph or check mark, the
    // caption and the shortcut; an assigned OnDrawItem / OnMeasureItem takes over (the
    // measure handler gets the default size to change).
    virtual void DrawItem(TCanvas* ACanvas, const RECT& ARect, bool Selected);
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);

    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void Loaded() override;

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    // The item's entries changed: its popup (and the parent's entry for it) are rebuilt.
    void MenuChanged(bool Rebuild);
    template<class T, class V>
    void ChangeField(T& Field, const V& Value, bool Rebuild = false)
    {
        if (Field == Value)
            return;
        Field = Value;
        MenuChanged(Rebuild);
    }

private:
    friend class TMenu;
    void RebuildHandle();
    void AppendTo(HMENU Menu, bool RightToLeft);
    void DestroyHandle();
    std::string DisplayCaption() const;
    bool AutoHotkeysOn() const;
    void DrawDefault(HDC DC, const RECT& R, bool Selected);

    std::string FCaption;
    std::string FAutoCaption;   // the caption with the accelerator automatic hotkeys chose
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    TShortCut FShortCut = scNone;
    int FImageIndex = -1;
    TMenuAutoFlag FAutoHotkeys = maParent;
    WORD FCommand;
    HMENU FHandle = nullptr;
    bool FPopupHandle = true;   // the root of a main menu is a menu bar, not a popup
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;     // set on the root item only
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
    PANTREL_CLASS(TMenu, TComponent)
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item: its sub-items are the menu's entries.
    TMenuItem* Items() const { return FItems; }
    HMENU Handle() const { return FItems->Handle(); }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
    void SetAutoHotkeys(TMenuAutoFlag Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }

    TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind) const;
    // Runs the item with that command; false when the menu has none.
    bool DispatchCommand(WORD Command);
    // A popup of this menu opens: its item's OnClick runs (as for a command).
    bool DispatchPopup(HMENU Menu);
    // WM_DRAWITEM / WM_MEASUREITEM of an item of this menu; false when it is not ours.
    bool DispatchDrawItem(const DRAWITEMSTRUCT& Item);
    bool DispatchMeasureItem(MEASUREITEMSTRUCT& Item, HWND Window);
    // A key press (WM_KEYDOWN / CN_KEYDOWN) that is an item's shortcut runs that item.
    bool IsShortCut(const TMessage& Message);

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // The items changed; a main menu redraws its window's bar.
    virtual void MenuChanged() {}
    void SetRootPopup(bool Popup) { FItems->FPopupHandle = Popup; }

private:
    friend class TMenuItem;
    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
    TMenuAutoFlag FAutoHotkeys = maAutomatic;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

// A form's menu bar: the form puts its handle on its window; when the items change, every
// form showing the menu hears CM_MENUCHANGED and redraws its bar.
class TMainMenu : public TMenu {
    PANTREL_CLASS(TMainMenu, TMenu)
    explicit TMainMenu(TComponent* AOwner);

protected:
    void MenuChanged() override;
};

PANTREL_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

// A context menu, shown with Popup at a screen point. Its commands and owner-draw
// messages go to a hidden window of the framework, which hands them to the menu.
class TPopupMenu : public TMenu {
    PANTREL_CLASS(TPopupMenu, TMenu)
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // The component that popped the menu up (set by the caller), for handlers.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    // Shows the menu at the screen point and returns when it closes; the chosen item's
    // OnClick has run by then.
    virtual void Popup(int X, int Y);

    TNotifyEvent OnPopup;

private:
    TPopupAlignment FAlignment = paLeft;
    TComponent* FPopupComponent = nullptr;
};
