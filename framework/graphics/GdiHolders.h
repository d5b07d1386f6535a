#pragma once
// Small owners of GDI resources for the length of a scope: each gives back what it took on
// every path out (early returns, exceptions).

#include <windows.h>

#include <optional>
#include <utility>

#include "framework/graphics/Canvas.h"

// A window's DC: the client area (GetDC), the whole window (GetWindowDC) or GetDCEx.
class TWindowDC {
public:
    enum TArea { daClient, daWindow };
    explicit TWindowDC(HWND Window, TArea Area = daClient)
        : FWindow(Window), FDC(Area == daWindow ? GetWindowDC(Window) : GetDC(Window)) {}
    TWindowDC(HWND Window, HRGN Clip, DWORD Flags) : FWindow(Window), FDC(GetDCEx(Window, Clip, Flags)) {}
    ~TWindowDC()
    {
        if (FDC)
            ReleaseDC(FWindow, FDC);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// A canvas lent a device context for the length of a scope.
class TDCCanvas {
public:
    explicit TDCCanvas(HDC DC) { FCanvas.SetHandle(DC); }
    ~TDCCanvas() { FCanvas.SetHandle(nullptr); }
    TDCCanvas(const TDCCanvas&) = delete;
    TDCCanvas& operator=(const TDCCanvas&) = delete;
    TCanvas* operator->() { return &FCanvas; }
    TCanvas* Get() { return &FCanvas; }

private:
    TCanvas FCanvas;
};

// A memory DC (compatible with the screen, or with Like), optionally with one bitmap
// selected; the bitmap stays the caller's.
class TMemoryDC {
public:
    explicit TMemoryDC(HBITMAP Bitmap = nullptr, HDC Like = nullptr)
        : FDC(CreateCompatibleDC(Like)), FOld(Bitmap ? SelectObject(FDC, Bitmap) : nullptr) {}
    ~TMemoryDC()
    {
        if (FOld)
            SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// An object selected into a DC for a scope; the previous one is selected again at the end.
class TSelectObject {
public:
    TSelectObject(HDC DC, HGDIOBJ Object) : FDC(DC), FOld(SelectObject(DC, Object)) {}
    ~TSelectObject()
    {
        if (FOld)
            SelectObject(FDC, FOld);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// Owns a GDI object (region, brush, bitmap, font) and deletes it; Release hands it on.
template<class H>
class TGdiObject {
public:
    explicit TGdiObject(H Object = nullptr) : FObject(Object) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& Other) noexcept : FObject(Other.Release()) {}
    TGdiObject& operator=(TGdiObject&& Other) noexcept
    {
        if (this != &Other)
            Reset(Other.Release());
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    H Get() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }
    H Release() { return std::exchange(FObject, nullptr); }
    void Reset(H Object = nullptr)
    {
        if (FObject)
            DeleteObject(FObject);
        FObject = Object;
    }

private:
    H FObject;
};

using TRegionHandle = TGdiObject<HRGN>;
using TBrushHandle = TGdiObject<HBRUSH>;

// A 32-bit DIB section of W x H pixels (black), selected into its own memory DC: a paint
// buffer. Unlike a bitmap compatible with a window's DC it is made without asking the
// display about its format, which under Wine costs a round of server requests every time.
class TMemoryBitmap {
public:
    TMemoryBitmap(int W, int H)
    {
        BITMAPINFO Info{};
        Info.bmiHeader.biSize = sizeof Info.bmiHeader;
        Info.bmiHeader.biWidth = W;
        // Bottom-up like every bitmap of the framework: the system does not always tell a
        // DIB section's row order, and pixel copies rely on it.
        Info.bmiHeader.biHeight = H;
        Info.bmiHeader.biPlanes = 1;
        Info.bmiHeader.biBitCount = 32;
        Info.bmiHeader.biCompression = BI_RGB;
        void* Bits = nullptr;
        FBitmap.Reset(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
        if (FBitmap)
            FDC.emplace(FBitmap.Get());
    }
    // 0 when the bitmap could not be made.
    HDC DC() const { return FDC ? FDC->Handle() : nullptr; }

private:
    TGdiObject<HBITMAP> FBitmap;  // outlives the DC it is selected into
    std::optional<TMemoryDC> FDC;
};
