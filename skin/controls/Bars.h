#pragma once
// The kinds of the bar-like controls: status bars, progress bars, track bars and headers
// painted from the skin; panels and group boxes that only take the skin's face colour; and
// the size grip of system dialogs, framed in the skin's shadow colour.
#include <windows.h>

#include <commctrl.h>

#include "skin/controls/SkinControl.h"

// Status bar: simple text or panels drawn from "StatusBarEdges" (frame 1 lowered, 2 raised,
// 3 no bevel), or with plain bevels when the skin has no such image; the size grip from
// frame 5 of "ExtraImages".
class TSkinStatusBar : public TSkinControl {
    PANTREL_CLASS(TSkinStatusBar, TSkinControl)
    explicit TSkinStatusBar(TComponent* AOwner);
    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
};

// Progress bar from "Progress": frame 2 stretched over frame 1 up to the position, or (style
// 1) the "Chunk" image repeated over the whole image.
class TSkinProgress : public TSkinControl {
    PANTREL_CLASS(TSkinProgress, TSkinControl)
    explicit TSkinProgress(TComponent* AOwner);
    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
};

// Track bar: only the thumb is the skin's ("Trackbar.ThumbHorz" / "Trackbar.ThumbVert"),
// drawn through the control's custom-draw notifications; channel and ticks stay the control's.
class TSkinTrackBar : public TSkinControl {
    PANTREL_CLASS(TSkinTrackBar, TSkinControl)
    explicit TSkinTrackBar(TComponent* AOwner);
    bool BeforeMessage(TMessage& Message) override;
    // The answer to one NM_CUSTOMDRAW notification.
    LRESULT CustomDraw(const NMCUSTOMDRAW& Info);

private:
    void DrawThumb(HDC DC);
};

// Header control (also a list view's column header): every item in frame 1 of "Headerbar",
// and the space right of the last item too.
class TSkinHeader : public TSkinControl {
    PANTREL_CLASS(TSkinHeader, TSkinControl)
    explicit TSkinHeader(TComponent* AOwner);
    // Subclasses Wnd and registers with the owning form skin object.
    void InstallWindow(HWND Wnd, TSkinData* SkinData, TCanvas* Canvas) override;
    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;

private:
    void DrawItem(TCanvas& Canvas, int Index, const RECT& ItemRect, HIMAGELIST Images);
};

// Panels, group boxes, radio groups and the like: the control keeps its own painting and
// handler and only wears the skin's "ButtonFace" while wrapped.
class TSkinBox : public TSkinControl {
    PANTREL_CLASS(TSkinBox, TSkinControl)
    explicit TSkinBox(TComponent* AOwner);
    void InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas) override;
    void AfterMessage(TMessage& Message) override;
};

// The size grip ("scrollbar" class) of a system dialog: a frame in "ButtonShadow".
class TSkinSizer : public TSkinControl {
    PANTREL_CLASS(TSkinSizer, TSkinControl)
    explicit TSkinSizer(TComponent* AOwner);
    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
};
