#include "skin/data/BitmapTransforms.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/graphics/Bitmap.h"

// The pixel code works on three bytes per pixel.
static bool Prepare(TBitmap& Bitmap)
{
    if (Bitmap.Empty())
        return false;
    if (Bitmap.PixelFormat() != pf24bit)
        Bitmap.SetPixelFormat(pf24bit);
    return true;
}

void MirrorBitmap(TBitmap& Bitmap)
{
    if (!Prepare(Bitmap))
        return;
    const int W = Bitmap.Width();
    std::vector<uint8_t> Buffer(size_t(W) * 3);
    for (int Y = 0; Y < Bitmap.Height(); ++Y) {
        uint8_t* Row = static_cast<uint8_t*>(Bitmap.ScanLine(Y));
        std::memcpy(Buffer.data(), Row, Buffer.size());
        for (int X = 0; X < W; ++X)
            std::memcpy(Row + 3 * X, Buffer.data() + 3 * (W - 1 - X), 3);
    }
}

void FlipBitmap(TBitmap& Bitmap)
{
    if (!Prepare(Bitmap))
        return;
    const int W = Bitmap.Width(), H = Bitmap.Height();
    TBitmap Copy;
    Copy.SetPixelFormat(pf24bit);
    Copy.SetSize(W, H);
    for (int Y = 0; Y < H; ++Y)
        std::memcpy(Copy.ScanLine(H - 1 - Y), Bitmap.ScanLine(Y), size_t(W) * 3);
    Bitmap.Assign(Copy);
}

// Reads the pixels bottom-up at 32 bits per pixel, resizes the bitmap to H x W and fills
// every new pixel (NX, NY) from the old one that Source names.
template<class F>
static void Rotate(TBitmap& Bitmap, F Source)
{
    if (!Prepare(Bitmap))
        return;
    const int W = Bitmap.Width(), H = Bitmap.Height();
    std::vector<uint8_t> Pixels(size_t(W) * size_t(H) * 4);
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = H;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    Info.bmiHeader.biXPelsPerMeter = 1;
    Info.bmiHeader.biYPelsPerMeter = 1;
    const HDC Screen = GetDC(nullptr);
    GetDIBits(Screen, Bitmap.Handle(), 0, UINT(H), Pixels.data(), &Info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, Screen);

    Bitmap.SetSize(H, W);
    for (int NY = 0; NY < W; ++NY) {
        uint8_t* Row = static_cast<uint8_t*>(Bitmap.ScanLine(NY));
        for (int NX = 0; NX < H; ++NX) {
            int X, Y;
            Source(NX, NY, X, Y);
            std::memcpy(Row + 3 * NX, Pixels.data() + (size_t(H - 1 - Y) * size_t(W) + size_t(X)) * 4, 3);
        }
    }
}

void RotateLeft(TBitmap& Bitmap)
{
    // (x, y) moves to (y, W - 1 - x).
    const int W = Bitmap.Width();
    Rotate(Bitmap, [W](int NX, int NY, int& X, int& Y) {
        X = W - 1 - NY;
        Y = NX;
    });
}

void RotateRight(TBitmap& Bitmap)
{
    // (x, y) moves to (H - 1 - y, x).
    const int H = Bitmap.Height();
    Rotate(Bitmap, [H](int NX, int NY, int& X, int& Y) {
        X = NY;
        Y = H - 1 - NX;
    });
}
