#pragma once
// TWinSkinForm: skins one top-level window. It subclasses the window, makes the system
// believe the frame is as thick as the skin's borders, paints borders, title bar, caption
// buttons and menu bar itself, answers hit tests, drives the window commands, and owns the
// skinned controls of the window. The skin manager creates one per window it skins; the
// form owns it, or the manager does for a bare window (a system dialog, a message box).
//
// This file is about the object's life and its message routing; painting lives in
// FramePaint.cpp, the caption buttons in NCObjects.cpp, the menu bar in SkinMenuBar.cpp,
// menu items in MenuItemPaint.cpp and the control walk in ControlWalk.cpp.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Form.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Thunk.h"

class TSkinData;
class TSkinControl;
class TNCObject;
class TWinSysButton;
class TMenuBtn;
class TWinSkinMenu;
class TMenuItem;
class TPopupMenu;
class TTimer;

enum TMDIKind : uint8_t { mkNormal = 0, mkFrame = 1, mkChild = 2 };
enum TFrameKind : uint8_t { fkSizeable = 0, fkNoCaption = 2, fkPlain = 3 };
enum TSkinState : int32_t { ssNew = 0, ssReady = 1, ssReskin = 3, ssClosing = 4, ssFitting = 5, ssDead = 6 };
// Bits of FBoxes: the caption boxes the window had before skinning.
enum : uint8_t { bxMaximize = 1, bxMinimize = 2, bxSystemMenu = 8 };

class TWinSkinForm : public TComponent {
    PANTREL_CLASS(TWinSkinForm, TComponent)
    // AOwner: the form, or null for a bare window.
    explicit TWinSkinForm(TComponent* AOwner);
    ~TWinSkinForm() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    int DisableTag() const { return FDisableTag; }
    void SetDisableTag(int Value) { FDisableTag = Value; }

    // Take over a framework form / a bare window (FHandle is set by the manager first).
    void AttachForm(TSkinData* SkinData, TCustomForm* Form);
    void AttachWindow(TSkinData* SkinData);

    // The skin frame from the border bitmaps, and a fresh set of caption buttons.
    void ReadFrameMetrics();
    // Gives back (Show) or takes away the system's caption boxes.
    void ShowSystemBoxes(bool Show);
    void FrameChanged();
    // Keeps the client area and grows the window by the skin frame.
    void FitWindow(bool RereadClient);
    void UpdateWindowState();
    void FindMDIClient();
    // A screen point relative to the window's top-left corner.
    POINT ToWindowPoint(int X, int Y) const;
    void BuildSysPopup();
    void OpenSystemMenu(int X, int Y);
    void MaximizeToggle();
    void MinimizeToggle();
    void Restore();
    // A window command to the active child of an MDI frame.
    void MDICommand(WPARAM Command);
    void Reskin();
    void Unskin();
    void UnskinForDestroy();
    void UnskinPlain();
    void CallDefault(TMessage& Message);

    // Window procedures: the form's WindowProc, the window's, the MDI client's.
    void FormWindowProc(TMessage& Message);
    void SkinWndProc(TMessage& Message);
    void ClientWndProc(TMessage& Message);

    // Caption buttons and non-client mouse (NCObjects.cpp).
    bool IsButtonVisible(int Index);
    void LayoutButtons();
    void PaintButtons(TCanvas& Canvas);
    TNCObject* FindElement(POINT P);
    void DoButtonAction(int X, int Y);
    void FreeSysButtons();

    // Frame painting (FramePaint.cpp).
    void PaintNC(HDC DC);
    // The skin paints the frame now (fitted, with a caption, not a maximized MDI child).
    bool PaintsFrame();
    void PaintTitle(HDC DC);
    void DrawCaptionText(TCanvas& Canvas, const RECT& R);
    void DrawBorderPart(int Index, const RECT& Rect, HDC DC);
    // Border part Index (1 left, 2 right, 3 top, 4 bottom) drawn at Width x Height in the
    // window's state, or null; kept until the next call for that part.
    TBitmap* BorderPartImage(int Index, int Width, int Height);
    void BuildRegion();
    // The window's region for a W x H window (the caller owns it).
    HRGN MakeRegion(int W, int H);
    void RemoveRegion();
    void LoadWindowIcon(TBitmap& Bitmap);

    // The menu bar (SkinMenuBar.cpp).
    bool OpenMenuButton(TMenuBtn* Button);
    // Opens one button's popup and tracks it until it closes.
    bool TrackButton(TMenuBtn* Button);
    void PostOpenButton(TMenuBtn* Button);
    TMenuBtn* FindAccelButton(unsigned Char);

    // Owner-drawn menu items painted from the skin (MenuItemPaint.cpp). The first two are
    // the OnMeasureItem / OnDrawItem handlers of framework items; the others paint an item
    // of the popup showing Menu, or without the skin's item image.
    void MeasureMenuItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height);
    void DrawMenuItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected);
    void DrawMenuItemByHandle(HMENU Menu, TMenuItem& Item, bool Selected, const RECT& Rect, TCanvas& Canvas);
    void DrawMenuItemPlain(TMenuItem& Item, TCanvas& Canvas, bool Selected, const RECT& Rect);

    // Control discovery (ControlWalk.cpp).
    void SkinChildControls(TComponent* Container);
    void SkinChildWindows();
    void SkinChildWindow(HWND Wnd);
    bool IsWrapped(TComponent* C) const;
    // A windowed control with a scroll-bar style, a memo, a tree view, or Tag 55.
    bool HasOwnScrollBars(TComponent* C) const;
    // The skin's class map (Skin3rd) chose a kind for C; true when it settled C.
    bool SkinByClassMap(TComponent* C);
    // Adds a kind to FControls unless it is there; answers whether it was there already.
    bool AddControl(TSkinControl* Kind);
    // Uninstalls and frees every kind of FControls.
    void FreeControls();
    // A component that goes: the kind wrapping it (or the kind itself) leaves FControls.
    void ForgetControl(TComponent* Component);

    // State read by the manager, the non-client elements, the menu bar and the kinds.
    bool IsMDIChild() const { return FMDIKind == mkChild; }
    bool WindowMinimized() const { return FWindowState == wsMinimized; }
    // An MDI child in another state than normal keeps the system's frame.
    bool MDIChildNotNormal() const { return FMDIKind == mkChild && FWindowState != wsNormal; }
    // The frame is skinned: the main-menu option is set and the skin has a frame.
    bool FrameSkinned() const { return FFrameSkinned; }
    bool Subclassed() const { return FObjectInstance != nullptr; }

    TWndMethod FOldWindowProc;
    WNDPROC FOldWndProc = nullptr;
    std::unique_ptr<TThunk> FObjectInstance;
    WNDPROC FOldClientWndProc = nullptr;
    std::unique_ptr<TThunk> FClientInstance;
    TFont FCaptionFont;
    TTimer* FHoverTimer = nullptr;   // owned through the component tree
    std::string FCaptionPrefix = "  ";
    std::string FCaption;
    bool FSavedMenuUpdate = false;
    RECT FClientRect{};
    DWORD FLastSysMenuClick = 0;
    UINT FDblClickTime = 0;
    int FBorderLeft = 0;
    int FCaptionHeight = 0;
    int FBorderRight = 0;
    int FBorderBottom = 0;
    RECT FWindowRect{};
    RECT FTextRect{};
    RECT FSystemFrame{};
    int FMenuHeight = 0;
    int FSysButtonCount = 0;
    bool FMenuTracking = false;
    bool FRightToLeft = false;
    TPopupMenu* FSysPopup = nullptr;  // owned through the component tree
    HWND FMDIClient = nullptr;
    HWND FNewMDIChild = nullptr;
    HMENU FMenuHandle = nullptr;
    HMENU FSysMenu = nullptr;
    HMENU FTrackedMenu = nullptr;
    TColor FOldColor = 0;
    DWORD FStyle = 0;
    int FRightButtonsLeft = 0;
    TNCObject* FHotObject = nullptr;
    TNCObject* FPressedObject = nullptr;  // the element the left button went down on
    bool FOwnsRegion = false;
    HRGN FRegion = nullptr;
    TCustomForm* FForm = nullptr;
    HWND FHandle = nullptr;
    TCanvas FNCCanvas;
    TCanvas FControlCanvas;
    TSkinData* FSkinData = nullptr;
    std::unique_ptr<TWinSkinMenu> FMenuBar;
    std::vector<std::unique_ptr<TWinSysButton>> FSysButtons;
    TBitmap FIconBitmap;
    TBitmap FTitleBitmap;
    std::vector<TSkinControl*> FControls;  // owned: each kind has this object as owner
    int FWidth = 0;
    int FHeight = 0;
    int FRegionWidth = 0;
    int FRegionHeight = 0;
    bool FActive = true;
    TMDIKind FMDIKind = mkNormal;
    TFrameKind FFrameKind = fkSizeable;
    uint8_t FBoxes = 0;
    TWindowState FWindowState = wsNormal;
    TSkinState FSkinState = ssNew;
    TSkinControl* FHoverControl = nullptr;

private:
    int FDisableTag = 0;
    bool FFrameSkinned = false;

    void TakeSkin(TSkinData* SkinData);
    // The frame's part of attaching (menu bar, caption boxes, metrics), the subclass and the
    // control walk.
    void TakeFrameAndControls(TSkinData* SkinData);
    // The border parts as last drawn, by part.
    struct TPartImage {
        int Width = 0;
        int Height = 0;
        int Frame = 0;
        std::unique_ptr<TBitmap> Image;
    };
    TPartImage FPartImages[4];

    bool HandleStage1(TMessage& Message);
    bool HandleStage2(TMessage& Message);
    bool HandleStage3(TMessage& Message);
    bool Stage3Runs() const;

    void OnEraseBkgnd(TMessage& Message);
    void OnStyleChanged(TMessage& Message);
    void OnNCDestroy(TMessage& Message);
    void OnCtlColorBtn(TMessage& Message);
    void OnCtlColorStatic(TMessage& Message);
    void OnSize(TMessage& Message);
    void OnGetMinMaxInfo(TMessage& Message);
    void OnCommand(TMessage& Message);
    void OnSysCommand(TMessage& Message);
    bool SwallowKeyMenu(const TMessage& Message);
    void OnSkinStart(TMessage& Message);
    void OnMenuChanged(TMessage& Message);
    void OnNCCalcSize(TMessage& Message);
    void OnNCHitTest(TMessage& Message);
    void OnNCPaint(TMessage& Message);
    void OnNCActivate(TMessage& Message);
    void OnNCLButtonDblClk(TMessage& Message);
    void OnNCRButtonDown(TMessage& Message);
    void OnSkinRepaint(TMessage& Message);
    void OnSetText(TMessage& Message);
    void OnDialogChar(TMessage& Message);
    void OnDialogKey(TMessage& Message);
    void OnMenuSelect(TMessage& Message);

    // Non-client mouse (NCObjects.cpp).
    TNCObject* ElementAt(const TMessage& Message);
    void OnNCMouseMove(TMessage& Message);
    void OnNCLButtonDown(TMessage& Message);
    void OnNCLButtonUp(TMessage& Message);

    // The application's own kind for C (OnSkinControl); true when it settled C.
    bool SkinByApplication(TComponent* Container, TComponent* C);
    // The walk's rows after the application's: by class, the class map, tag and role.
    void SkinByClass(TComponent* C);
    // The kind text the class map gives ClassName (lower case), none without a line.
    std::optional<std::string> ClassMapKind(const std::string& ClassName) const;

    // Menu items (MenuItemPaint.cpp).
    void OnMeasureItem(TMessage& Message);
    void OnDrawItem(TMessage& Message);
    // The framework item of the menu bar's menu with that command, or null.
    TMenuItem* BarItem(UINT Command) const;
    // Item painting shared by DrawMenuItem and DrawMenuItemByHandle; Separator: a "-"
    // caption shows the skin's separator strip.
    void DrawSkinnedItem(HMENU Menu, TMenuItem& Item, bool Selected, const RECT& Rect, TCanvas& Canvas,
                         bool Separator);
    // Fills Bitmap with the part of the popup's background under Rect, or with "Menu".
    void ItemBackground(HMENU Menu, const RECT& Rect, TBitmap& Bitmap);
    void DrawMenuItemContent(TMenuItem& Item, TCanvas& Canvas, bool Selected, const RECT& Rect);
    void DrawMenuText(TMenuItem& Item, TCanvas& Canvas, UINT Format, bool Selected, RECT& Rect, std::string Text);
    void DrawMenuSeparator(TCanvas& Canvas, const RECT& Rect);
    bool MenuRightToLeft(const TMenuItem& Item) const;
    // Menu-item handlers on every item of Menu (or off them).
    void HookMenuItems(TMenuItem& Parent, bool On);

    void HoverPoll(TObject* Sender);
    void SysPopupClick(TObject* Sender);
    void HookPopupMenus(bool On);
    void UnhookClient();
    bool UnskinCommon();
    void RestoreFrameSize();
    void Unsubclass();
    void MDISetMenu(TMessage& Message);
    void MDIDestroyed();
    void MDIRefreshMenu();
    // The child window that is active in the MDI client, and whether it is maximized.
    HWND ActiveMDIChild(bool* Maximized = nullptr) const;
};
