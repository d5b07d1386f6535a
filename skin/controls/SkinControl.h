#pragma once
// TSkinControl: the base of every skinned-control kind. One object wraps one standard control
// of a skinned window and takes over its painting: every message passes its "before" filter,
// then (unless the filter kept it) the control's previous handler, then its "after" handler,
// which may paint the control from the skin. A framework control is wrapped by replacing its
// WindowProc; a bare window (a control of a system dialog, any edit) by subclassing it
// through a thunk. The form skin object creates, lists and frees the kinds.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Thunk.h"

class TBitmap;
class TCanvas;
class TGraphicControl;
class TSkinData;
class TWinControl;
class TWinSkinForm;

// Bits of FMouseFlags (push buttons only).
enum : uint8_t { mfOver = 1, mfDown = 2 };

class TSkinControl : public TComponent {
    PANTREL_CLASS(TSkinControl, TComponent)
    // AOwner: the form skin object that made the kind.
    explicit TSkinControl(TComponent* AOwner);
    ~TSkinControl() override;
    // Forgets a wrapped control that is freed before the kind.
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Framework route: replaces Control's WindowProc; a second call does nothing.
    virtual void InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas);
    // Bare-window route: subclasses Wnd.
    virtual void InstallWindow(HWND Wnd, TSkinData* SkinData, TCanvas* Canvas);
    // Gives the control back; harmless when called again.
    virtual void Uninstall();
    // False keeps the message from the control's previous handler.
    virtual bool BeforeMessage(TMessage& Message);
    virtual void AfterMessage(TMessage& Message);
    // Paints the whole window into DC (the window DC when DC is 0).
    virtual void PaintControl(HDC DC);
    // The kind's face; Rect is the window rectangle moved to (0, 0).
    virtual void Draw(HDC DC, const RECT& Rect);
    virtual void SkinChanged();

    // For kinds that replace the control's painting: WM_PAINT is painted by the kind when it
    // Paints, WM_ERASEBKGND answered; neither then reaches the control. True passes it on.
    bool PassUnlessPainted(TMessage& Message, bool Paints = true);
    // Stores the control, skin and canvas, asks to hear of the control's end and lists this
    // kind with its form skin object: what every framework installation does first.
    void TakeControl(TWinControl* Control, TSkinData* SkinData, TCanvas* Canvas);

    void WndProc(TMessage& Message);
    void CallDefault(TMessage& Message);
    void SendMouseLeave();
    void RepaintNow();
    void FillBackground(HDC DC, const RECT& Rect);
    void PaintFromMessage(TMessage& Message);
    // The form skin object that owns this kind, or null.
    TWinSkinForm* OwnerForm() const;

    uint8_t FMouseFlags = 0;
    TCanvas* FCanvas = nullptr;
    bool FEnabled = false;
    bool FFocused = false;
    std::string FCaption;
    std::unique_ptr<TThunk> FObjectInstance;
    WNDPROC FOldWndProc = nullptr;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TWndMethod FOldWindowProc;
    TWinControl* FControl = nullptr;
    RECT FWindowRect{};
    TGraphicControl* FGraphicControl = nullptr;
    bool FRecolor = false;
    TColor FOldColor = 0;
    bool FInstalled = false;
};

// The window's text.
std::string WindowTextOf(HWND Wnd);

// Frame Frame (1-based) of FrameCount frames of Bitmap (side by side) stretched to Rect and
// drawn with magenta transparent. Skins come from users: frame counts of 0 or less, frames
// out of range, frames narrower than a pixel, empty bitmaps and empty rectangles draw
// nothing and never crash.
void DrawFrameTransparent(TCanvas& Canvas, const RECT& Rect, int FrameCount, int Frame, TBitmap& Bitmap);
