#pragma once
// TCanvas: drawing on a device context with the canvas's font, brush and pen, which it
// selects into the DC when a drawing call needs them. The DC is bound with SetHandle (a
// paint DC, a window DC) or made by a subclass on demand (a control's window, a bitmap);
// unbinding puts the DC's own objects back.

#include "framework/core/Persistent.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

#include <windows.h>

#include <string>

class TGraphic;

// Copy modes are raster operations (SRCCOPY, SRCAND, ...).
constexpr DWORD cmSrcCopy = SRCCOPY;

class TCanvas : public TPersistent {
    PANTREL_CLASS(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC with font, brush and pen selected, for drawing calls of one's own. Raises
    // EInvalidOperation "Canvas does not allow drawing" when there is none.
    HDC Handle();
    // Binds a DC made elsewhere (0 unbinds); the DC stays the caller's.
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Takes font, brush and pen out of the DC; the next drawing call selects them again.
    void Refresh();

    TFont* Font() { return &FFont; }
    TBrush* Brush() { return &FBrush; }
    TPen* Pen() { return &FPen; }
    DWORD CopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD Value) { FCopyMode = Value; }
    POINT PenPos();

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const POINT* Points, int Count);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const RECT& R) { Rectangle(R.left, R.top, R.right, R.bottom); }
    void FillRect(const RECT& R);
    void FrameRect(const RECT& R);

    // Text in the font's colour on the brush's colour (none with a clear brush).
    void TextOut(int X, int Y, const std::string& Text);
    // Text clipped to R.
    void TextRect(const RECT& R, int X, int Y, const std::string& Text);
    // DrawTextA with the canvas's font; R may be changed (DT_CALCRECT). Returns the height.
    int DrawText(const std::string& Text, RECT& R, UINT Format);
    SIZE TextExtent(const std::string& Text);
    int TextWidth(const std::string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::string& Text) { return TextExtent(Text).cy; }

    void Draw(int X, int Y, TGraphic& Graphic);
    void StretchDraw(const RECT& R, TGraphic& Graphic);
    // Copies SourceRect of Source stretched into Dest with CopyMode.
    void CopyRect(const RECT& Dest, TCanvas& Source, const RECT& SourceRect);

    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Color);

protected:
    // Called when a DC is needed and none is bound; subclasses bind one with SetHandle.
    virtual void CreateHandle() {}

private:
    HDC RequireHandle();
    HDC RequireFont();
    HDC RequireBrush();
    HDC RequirePen();
    void DeselectFont();
    void DeselectBrush();
    void DeselectPen();
    void FontChanged(TObject*) { DeselectFont(); }
    void BrushChanged(TObject*) { DeselectBrush(); }
    void PenChanged(TObject*) { DeselectPen(); }

    HDC FHandle = nullptr;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    DWORD FCopyMode = cmSrcCopy;
    // The DC's own objects, put back when ours are taken out.
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    HGDIOBJ FOldPen = nullptr;
};

// A canvas on a window's client area: GetDC on demand, ReleaseDC in FreeHandle.
class TControlCanvas : public TCanvas {
    PANTREL_CLASS(TControlCanvas, TCanvas)
    TControlCanvas() = default;
    ~TControlCanvas() override;

    HWND Window() const { return FWindow; }
    void SetWindow(HWND Value);
    // Gives the window's DC back; the next drawing call takes a new one.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    HWND FWindow = nullptr;
    HDC FWindowDC = nullptr;
};
