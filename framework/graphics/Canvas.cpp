#include "framework/graphics/Canvas.h"

#include "framework/core/Exception.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"

PANTREL_REGISTER(TCanvas, TPersistent)
PANTREL_REGISTER(TControlCanvas, TCanvas)

TCanvas::TCanvas()
{
    FFont.OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
    FBrush.OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
    FPen.OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
}

HDC TCanvas::Handle()
{
    RequireFont();
    RequireBrush();
    return RequirePen();
}

void TCanvas::SetHandle(HDC Value)
{
    if (Value == FHandle)
        return;
    Refresh();
    FHandle = Value;
}

void TCanvas::Refresh()
{
    DeselectFont();
    DeselectBrush();
    DeselectPen();
}

HDC TCanvas::RequireHandle()
{
    if (!FHandle)
        CreateHandle();
    if (!FHandle)
        throw EInvalidOperation("Canvas does not allow drawing");
    return FHandle;
}

HDC TCanvas::RequireFont()
{
    const HDC DC = RequireHandle();
    if (!FOldFont) {
        FOldFont = SelectObject(DC, FFont.Handle());
        SetTextColor(DC, ColorToRGB(FFont.Color()));
    }
    return DC;
}

HDC TCanvas::RequireBrush()
{
    const HDC DC = RequireHandle();
    if (!FOldBrush) {
        FOldBrush = SelectObject(DC, FBrush.Handle());
        SetBkColor(DC, ColorToRGB(FBrush.Color()));
        SetBkMode(DC, FBrush.Style() == bsClear ? TRANSPARENT : OPAQUE);
    }
    return DC;
}

HDC TCanvas::RequirePen()
{
    const HDC DC = RequireHandle();
    if (!FOldPen)
        FOldPen = SelectObject(DC, FPen.Handle());
    return DC;
}

void TCanvas::DeselectFont()
{
    if (FOldFont && FHandle)
        SelectObject(FHandle, FOldFont);
    FOldFont = nullptr;
}

void TCanvas::DeselectBrush()
{
    if (FOldBrush && FHandle)
        SelectObject(FHandle, FOldBrush);
    FOldBrush = nullptr;
}

void TCanvas::DeselectPen()
{
    if (FOldPen && FHandle)
        SelectObject(FHandle, FOldPen);
    FOldPen = nullptr;
}

POINT TCanvas::PenPos()
{
    POINT P{};
    GetCurrentPositionEx(RequireHandle(), &P);
    return P;
}

void TCanvas::MoveTo(int X, int Y)
{
    MoveToEx(RequireHandle(), X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
    ::LineTo(RequirePen(), X, Y);
}

void TCanvas::Polyline(const POINT* Points, int Count)
{
    ::Polyline(RequirePen(), Points, Count);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    RequirePen();
    ::Rectangle(RequireBrush(), X1, Y1, X2, Y2);
}

void TCanvas::FillRect(const RECT& R)
{
    ::FillRect(RequireBrush(), &R, FBrush.Handle());
}

void TCanvas::FrameRect(const RECT& R)
{
    ::FrameRect(RequireBrush(), &R, FBrush.Handle());
}

void TCanvas::TextOut(int X, int Y, const std::string& Text)
{
    RequireFont();
    ::TextOutA(RequireBrush(), X, Y, Text.data(), int(Text.size()));
    MoveTo(X + TextWidth(Text), Y);
}

void TCanvas::TextRect(const RECT& R, int X, int Y, const std::string& Text)
{
    RequireFont();
    const UINT Options = ETO_CLIPPED | (FBrush.Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutA(RequireBrush(), X, Y, Options, &R, Text.data(), UINT(Text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& Text, RECT& R, UINT Format)
{
    RequireFont();
    return ::DrawTextA(RequireBrush(), Text.data(), int(Text.size()), &R, Format);
}

SIZE TCanvas::TextExtent(const std::string& Text)
{
    SIZE S{};
    GetTextExtentPoint32A(RequireFont(), Text.data(), int(Text.size()), &S);
    return S;
}

void TCanvas::Draw(int X, int Y, TGraphic& Graphic)
{
    if (!Graphic.Empty())
        Graphic.Draw(*this, RECT{X, Y, X + Graphic.Width(), Y + Graphic.Height()});
}

void TCanvas::StretchDraw(const RECT& R, TGraphic& Graphic)
{
    if (!Graphic.Empty())
        Graphic.Draw(*this, R);
}

void TCanvas::CopyRect(const RECT& Dest, TCanvas& Source, const RECT& SourceRect)
{
    const HDC SourceDC = Source.Handle();
    StretchBlt(Handle(), Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, SourceDC,
               SourceRect.left, SourceRect.top, SourceRect.right - SourceRect.left,
               SourceRect.bottom - SourceRect.top, FCopyMode);
}

TColor TCanvas::Pixels(int X, int Y)
{
    return TColor(GetPixel(RequireHandle(), X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Color)
{
    ::SetPixel(RequireHandle(), X, Y, ColorToRGB(Color));
}

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetWindow(HWND Value)
{
    if (Value == FWindow)
        return;
    FreeHandle();
    FWindow = Value;
}

void TControlCanvas::FreeHandle()
{
    if (!FWindowDC)
        return;
    SetHandle(nullptr);
    ReleaseDC(FWindow, FWindowDC);
    FWindowDC = nullptr;
}

void TControlCanvas::CreateHandle()
{
    if (!FWindow)
        return;
    FWindowDC = GetDC(FWindow);
    SetHandle(FWindowDC);
}
