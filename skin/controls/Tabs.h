#pragma once
// TSkinTab: a system tab control (also a framework tab or page control) with tabs on any
// side. The control paints itself first; then the kind covers the whole tab strip with the
// skin's "Tabs" element (frame 1 a tab, frame 2 the focused one) and frames the page area
// with the "Tabs" "Border" image. Side tabs are composed lying down and turned into place.
// TSkinTab31: the framework's tab set, its strip drawn wholly from "Tabs" turned upside
// down. Both hand their scrolling up-down to an up-down kind.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "framework/core/Color.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/SkinControl.h"

class TSkinUpDown;

class TSkinTab : public TSkinControl {
    PANTREL_CLASS(TSkinTab, TSkinControl)
    explicit TSkinTab(TComponent* AOwner);

    void InstallWindow(HWND Wnd, TSkinData* SkinData, TCanvas* Canvas) override;
    void Draw(HDC DC, const RECT& Rect) override;
    void SkinChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Reads the tabs' side and copies (and turns) the skin images for it.
    void PrepareImages();
    // Wraps the control's scroll up-down once; answers whether it is visible.
    bool FindUpDown();
    // One tab of the strip: frame Frame of the tab image fitted to Rect.
    void DrawTab(HDC DC, const RECT& Rect, int Frame);
    // The composed strip copied to Rect, around the visible up-down.
    void BlitStrip(HDC DC, const RECT& Rect);

    // Sides of the strip (FTabPosition), from TCS_BOTTOM and TCS_VERTICAL.
    enum : uint8_t { spTop, spBottom, spLeft, spRight };
    uint8_t FTabPosition = spTop;
    TBitmap FTabImage;
    TBitmap FBorderImage;
    TBitmap FBuffer;  // the strip, always lying horizontally
    TSkinUpDown* FUpDown = nullptr;

private:
    // The strip's rectangle in the window, beside the page rectangle Page.
    RECT StripRect(const RECT& Rect, const RECT& Page) const;
    // A tab's rectangle r (window coordinates) in the lying buffer.
    RECT BufferRect(RECT R, const RECT& Rect, const RECT& Page) const;
    void ComposeStrip(const RECT& Rect, const RECT& Page);
};

class TSkinTab31 : public TSkinControl {
    PANTREL_CLASS(TSkinTab31, TSkinControl)
    explicit TSkinTab31(TComponent* AOwner);

    void InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas) override;
    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
    // A new skin brings a new tab image.
    void SkinChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The "Tabs" image turned upside down (empty without one).
    void PrepareImage();

    TBitmap FTabImage;
    TSkinUpDown* FUpDown = nullptr;
    TWinControl* FScroller = nullptr;
};

// A tab's (or header item's) icon and text in Rect: Alignment 0 left, 1 centred, 2 right;
// no icon for ImageIndex -1 or without ImageList; disabled text in Shadow.
void DrawTabText(TCanvas& Canvas, const RECT& Rect, int Alignment, const std::string& Text, int ImageIndex,
                 HIMAGELIST ImageList, bool Enabled = true, TColor Shadow = clBtnShadow);
