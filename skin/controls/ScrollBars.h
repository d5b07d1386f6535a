#pragma once
// Scroll bars drawn from the skin. TSkinScrollBar paints the built-in bars of a scrollable
// window (list box, memo, tree view, ...) and the corner between them into its non-client
// area, and can take over dragging of the thumb; TSkinListView is the same for a list view
// and also wraps its column header; TSkinScControl paints a stand-alone scroll-bar control.
// Every bar is composed as a 16-pixel-thick strip (track, two arrows, thumb) and stretched
// onto the real bar.
#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "skin/controls/SkinControl.h"

class TSkinHeader;

// The part shown pressed.
enum : int {
    ppNone,
    ppLeftArrow,
    ppRightArrow,
    ppUpArrow,
    ppDownArrow,
    ppHorzThumb,
    ppVertThumb
};

// Lengths along one bar, in pixels.
struct TBarMetrics {
    int ArrowSize = 0;
    int TrackLength = 0;   // the bar less two arrows
    int ThumbLength = 0;
    int ThumbOffset = 0;   // from the end of the first arrow
    DWORD StyleBit = 0;    // WS_HSCROLL or WS_VSCROLL
};

// What a bar's picture keeps between paints: the strip without its thumb (while the bar's
// length and pressed arrow stay), the thumb's picture (while its length and frame stay) and
// the buffer the two are put together in.
struct TStripCache {
    TBitmap Back;
    int Length = 0;
    bool Vertical = false;
    int ArrowPressed = -1;
    std::unique_ptr<TBitmap> Thumb;
    int ThumbLength = -1;
    bool ThumbVertical = false;
    int ThumbFrame = 0;
    TBitmap Buffer;
};

class TSkinScrollBar : public TSkinControl {
    PANTREL_CLASS(TSkinScrollBar, TSkinControl)
    explicit TSkinScrollBar(TComponent* AOwner);

    // Installation in place of InstallControl: TrackThumb makes the kind drag the thumb
    // itself. Neither recolours the control nor counts as InstallControl's installation.
    void InstallScrollBars(TWinControl* Control, TSkinData* SkinData, bool TrackThumb, TCanvas* Canvas);

    bool BeforeMessage(TMessage& Message) override;
    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
    // Forgets the pictures kept from the old skin.
    void SkinChanged() override;

    // The bars' and the corner's rectangles for a window drawn in Rect.
    void LayoutBars(const RECT& Rect);
    // Thumb length and offset of Bar (SB_HORZ or SB_VERT) from its scroll information.
    void CalcThumb(const RECT& BarRect, int Bar);
    void DrawBar(HDC DC, const RECT& BarRect, int Bar);
    // SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN, SB_LINEDOWN at Pos along Bar
    // (client coordinates), or -1 past the bar.
    int HitTestBar(int Pos, int Bar) const;
    // True when the press was on a thumb and the kind dragged it.
    bool NCLButtonDown(TMessage& Message);
    // Drags Bar's thumb with the mouse captured until the button is released anywhere,
    // the capture is lost, the window is deactivated or Escape is pressed.
    void TrackThumb(int Bar, UINT ScrollMessage);

    TBarMetrics& Metrics(int Bar) { return Bar == SB_HORZ ? FHorzBar : FVertBar; }
    SCROLLINFO& Info(int Bar) { return Bar == SB_HORZ ? FHorzInfo : FVertInfo; }

    int FPressedPart = ppNone;
    DWORD FStyle = 0;
    DWORD FExStyle = 0;
    RECT FCornerRect{};
    bool FDragging = false;
    bool FTrackThumb = false;
    bool FInVScroll = false;
    bool FInHScroll = false;
    SCROLLINFO FHorzInfo{};
    SCROLLINFO FVertInfo{};
    RECT FHorzRect{};
    RECT FVertRect{};
    TBarMetrics FHorzBar;
    TBarMetrics FVertBar;
    std::unique_ptr<TStripCache> FStrips[2];   // horizontal, vertical; made at the first paint

private:
    // The scroll information differs from what the bars show.
    bool BarsMoved();
    // The skin has arrows and the window has a bar: the kind paints something.
    bool HasBarsToPaint() const;
    void PaintBars();
    // WM_NCPAINT passed to the previous handler, which paints the frame but not the bars
    // the kind paints after it.
    void PassFrameOnly(TMessage& Message);
    // A scroll message passed to the previous handler with its bar left to the system.
    void PassScroll(TMessage& Message, bool& InScroll);
    // Moves the dragged thumb to Offset along the bar; answers the position it stands for.
    int DragTo(int Bar, UINT ScrollMessage, int Offset, int LastPosition);
};

class TSkinListView : public TSkinScrollBar {
    PANTREL_CLASS(TSkinListView, TSkinScrollBar)
    explicit TSkinListView(TComponent* AOwner);

    // InstallScrollBars with Recolor as the take-over option, and a TSkinHeader on the
    // list view's column header.
    void InstallControl(TWinControl* Control, TSkinData* SkinData, bool Recolor, TCanvas* Canvas) override;

    TSkinHeader* FHeader = nullptr;
};

class TSkinScControl : public TSkinControl {
    PANTREL_CLASS(TSkinScControl, TSkinControl)
    explicit TSkinScControl(TComponent* AOwner);

    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
    void SkinChanged() override;

    int FPressedPart = ppNone;
    int FTrackLength = 0;
    int FThumbLength = 0;
    int FThumbOffset = 0;
    std::unique_ptr<TStripCache> FStrip;
};
