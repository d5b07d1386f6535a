#include "framework/graphics/ScreenCopy.h"

#include "framework/core/Exception.h"
#include "framework/graphics/GdiHolders.h"

#include <stdexcept>

TScreenImage CopyScreenRect(const RECT& Rect)
{
    TScreenImage Image;
    Image.Width = Rect.right - Rect.left;
    Image.Height = Rect.bottom - Rect.top;
    if (Image.Width <= 0 || Image.Height <= 0)
        throw std::invalid_argument("empty screen rectangle");
    TWindowDC Screen(nullptr);
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = Image.Width;
    Info.bmiHeader.biHeight = -Image.Height;  // top-down
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    void* Bits = nullptr;
    TGdiObject<HBITMAP> Dib(CreateDIBSection(Screen.Handle(), &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (!Dib || !Bits)
        throw EOutOfResources("cannot copy the screen");
    {
        TMemoryDC Memory(Dib.Get(), Screen.Handle());
        BitBlt(Memory.Handle(), 0, 0, Image.Width, Image.Height, Screen.Handle(), Rect.left, Rect.top, SRCCOPY);
        GdiFlush();
    }
    const size_t Count = size_t(Image.Width) * size_t(Image.Height);
    Image.Rgb.resize(Count * 3);
    const uint8_t* Src = static_cast<const uint8_t*>(Bits);  // B G R x
    for (size_t I = 0; I < Count; ++I) {
        Image.Rgb[I * 3] = Src[I * 4 + 2];
        Image.Rgb[I * 3 + 1] = Src[I * 4 + 1];
        Image.Rgb[I * 3 + 2] = Src[I * 4];
    }
    return Image;
}

TScreenImage CopyWindowFromScreen(HWND Window, bool ClientOnly)
{
    RECT R;
    if (ClientOnly) {
        GetClientRect(Window, &R);
        MapWindowPoints(Window, nullptr, reinterpret_cast<POINT*>(&R), 2);
    } else {
        GetWindowRect(Window, &R);
    }
    return CopyScreenRect(R);
}
