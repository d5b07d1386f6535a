// Pictures drawn on a real window of the display: through a canvas bound to the paint DC in
// WM_PAINT and through a window canvas outside it; the screen is captured and compared.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"
#include "tests/graphics/PictureFiles.h"
#include "tests/support/Capture.h"

#include <gtest/gtest.h>

namespace {

struct TScene {
    TPicture Jpeg, Icon;
    TBitmap Sprite;
    int Paints = 0;
};
TScene* Scene = nullptr;

void PaintScene(TCanvas& C)
{
    C.Brush()->SetColor(clWhite);
    C.FillRect(RECT{0, 0, 200, 100});
    C.Draw(0, 0, *Scene->Jpeg.Graphic());
    C.Draw(40, 0, *Scene->Icon.Graphic());
    C.StretchDraw(RECT{0, 50, 32, 82}, Scene->Sprite);
}

LRESULT CALLBACK SceneProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L)
{
    if (Msg == WM_PAINT) {
        PAINTSTRUCT PS;
        const HDC DC = BeginPaint(Wnd, &PS);
        TCanvas C;
        C.SetHandle(DC);
        PaintScene(C);
        C.SetHandle(nullptr);
        EndPaint(Wnd, &PS);
        ++Scene->Paints;
        return 0;
    }
    return DefWindowProcA(Wnd, Msg, W, L);
}

}  // namespace

TEST(WindowDraw, PicturesOnTheScreen)
{
    TScene S;
    Scene = &S;
    S.Jpeg.LoadFromFile("images/baseline.jpg");
    S.Icon.LoadFromFile("images/icon.ico");
    S.Sprite.SetPixelFormat(pf24bit);
    S.Sprite.SetSize(8, 8);
    S.Sprite.Canvas()->Brush()->SetColor(clFuchsia);
    S.Sprite.Canvas()->FillRect(RECT{0, 0, 8, 8});
    S.Sprite.Canvas()->Brush()->SetColor(clBlue);
    S.Sprite.Canvas()->FillRect(RECT{2, 2, 6, 6});
    S.Sprite.SetTransparent(true);

    WNDCLASSA Class{};
    Class.lpfnWndProc = SceneProc;
    Class.hInstance = GetModuleHandleA(nullptr);
    Class.lpszClassName = "PantrelGraphicsScene";
    Class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&Class);
    const HWND Wnd = CreateWindowExA(WS_EX_TOPMOST, Class.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                                     100, nullptr, nullptr, Class.hInstance, nullptr);
    ASSERT_NE(Wnd, nullptr);
    UpdateWindow(Wnd);
    ASSERT_TRUE(PumpUntil([&] { return S.Paints > 0; }));
    PumpFor(200);

    const TCapture Shot = CaptureWindow(Wnd, true);
    Shot.SavePng("graphics-window.png");
    const TPpm Jpeg = ReadPpm("images/baseline.ppm"), Icon = ReadPpm("images/icon.ppm");
    for (const POINT P : {POINT{0, 0}, POINT{14, 5}, POINT{28, 10}}) {
        const uint32_t Rgb = Jpeg.Pixels[size_t(P.y * Jpeg.Width + P.x)];
        EXPECT_TRUE(SameColor(Shot.Pixel(P.x, P.y), RGB(Rgb >> 16, (Rgb >> 8) & 0xFF, Rgb & 0xFF), 3));
    }
    const uint32_t IconMiddle = Icon.Pixels[16 * 32 + 16];
    EXPECT_TRUE(SameColor(Shot.Pixel(56, 16), RGB(IconMiddle >> 16, (IconMiddle >> 8) & 0xFF, IconMiddle & 0xFF), 3));
    EXPECT_EQ(Shot.Pixel(1, 51), RGB(255, 255, 255)) << "the sprite's key colour lets the white through";
    EXPECT_EQ(Shot.Pixel(16, 66), RGB(0, 0, 255));

    // Outside WM_PAINT through a window canvas, which gives its DC back.
    TControlCanvas Canvas;
    Canvas.SetWindow(Wnd);
    Canvas.Brush()->SetColor(clRed);
    Canvas.FillRect(RECT{150, 50, 200, 100});
    Canvas.FreeHandle();
    EXPECT_FALSE(Canvas.HandleAllocated());
    PumpFor(200);  // Wine copies window surfaces to the screen a moment later
    EXPECT_EQ(CaptureWindow(Wnd, true).Pixel(175, 75), RGB(255, 0, 0));

    DestroyWindow(Wnd);
    UnregisterClassA(Class.lpszClassName, Class.hInstance);
    Scene = nullptr;
}
