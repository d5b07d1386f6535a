// The GUI test harness itself: real windows on the test display, captured and read back.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/Capture.h"

namespace {

const COLORREF Backdrop = RGB(0, 0, 255);
const COLORREF Frame = RGB(0, 160, 0);
const COLORREF Client = RGB(220, 0, 0);

void Fill(HDC Dc, const RECT& R, COLORREF Colour) {
  HBRUSH Brush = CreateSolidBrush(Colour);
  FillRect(Dc, &R, Brush);
  DeleteObject(Brush);
}

// Paints its client area and its frame itself, as skinned windows do.
LRESULT CALLBACK PaintedProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  switch (Msg) {
    case WM_NCPAINT: {
      HDC Dc = GetWindowDC(Wnd);
      RECT R;
      GetWindowRect(Wnd, &R);
      OffsetRect(&R, -R.left, -R.top);
      Fill(Dc, R, Frame);
      ReleaseDC(Wnd, Dc);
      return 0;
    }
    case WM_NCACTIVATE:
      SendMessageA(Wnd, WM_NCPAINT, 1, 0);
      return TRUE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT Ps;
      HDC Dc = BeginPaint(Wnd, &Ps);
      RECT R;
      GetClientRect(Wnd, &R);
      Fill(Dc, R, Client);
      EndPaint(Wnd, &Ps);
      return 0;
    }
  }
  return DefWindowProcA(Wnd, Msg, W, L);
}

LRESULT CALLBACK BackdropProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
  if (Msg == WM_ERASEBKGND) {
    RECT R;
    GetClientRect(Wnd, &R);
    Fill(reinterpret_cast<HDC>(W), R, Backdrop);
    return 1;
  }
  return DefWindowProcA(Wnd, Msg, W, L);
}

HWND MakeWindow(const char* Class, WNDPROC Proc, DWORD Style, int X, int Y, int W, int H) {
  WNDCLASSA Wc = {};
  Wc.lpfnWndProc = Proc;
  Wc.hInstance = GetModuleHandleA(nullptr);
  Wc.lpszClassName = Class;
  Wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&Wc);
  HWND Wnd = CreateWindowExA(0, Class, "捕获测试", Style, X, Y, W, H, nullptr, nullptr,
                             Wc.hInstance, nullptr);
  ShowWindow(Wnd, SW_SHOWNORMAL);
  UpdateWindow(Wnd);
  return Wnd;
}

}  // namespace

TEST(WindowCapture, FramePaintAndRegionAreSeenOnScreen) {
  HWND Back = MakeWindow("PantrelBackdrop", BackdropProc, WS_POPUP, 100, 100, 400, 300);
  HWND Wnd = MakeWindow("PantrelPainted", PaintedProc, WS_OVERLAPPEDWINDOW, 150, 150, 300, 200);
  ASSERT_TRUE(Back && Wnd);
  // Cut 20 pixels off every side: the backdrop must show through there.
  SetWindowRgn(Wnd, CreateRectRgn(20, 20, 280, 180), TRUE);
  SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  RedrawWindow(Wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpFor(300);

  TCapture Shot = CaptureWindow(Wnd);
  Shot.SavePng("harness-window-region.png");
  ASSERT_EQ(300, Shot.Width);
  ASSERT_EQ(200, Shot.Height);
  EXPECT_TRUE(SameColor(Backdrop, Shot.Pixel(5, 5)));      // cut away by the region
  EXPECT_TRUE(SameColor(Backdrop, Shot.Pixel(295, 195)));
  EXPECT_TRUE(SameColor(Frame, Shot.Pixel(22, 22)));      // our non-client paint
  EXPECT_TRUE(SameColor(Client, Shot.Pixel(150, 110)));   // our client paint

  TCapture ClientShot = CaptureWindow(Wnd, true);
  EXPECT_TRUE(SameColor(Client, ClientShot.Pixel(ClientShot.Width / 2, ClientShot.Height / 2)));
  DestroyWindow(Wnd);
  DestroyWindow(Back);
}

TEST(WindowCapture, CodePageIs936) {
  EXPECT_EQ(936u, GetACP());
  // A GBK literal survives the round trip through the platform's conversion.
  wchar_t Wide[8] = {};
  ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, 0, "宋体", -1, Wide, 8));
  EXPECT_EQ(0x5B8B, Wide[0]);
  EXPECT_EQ(0x4F53, Wide[1]);
}

TEST(WindowCapture, ChineseFontsResolveToAnInstalledFace) {
  HDC Dc = GetDC(nullptr);
  for (const char* Face : {"宋体", "华文中宋", "SimSun"}) {
    LOGFONTA Lf = {};
    Lf.lfHeight = -13;
    Lf.lfCharSet = GB2312_CHARSET;
    lstrcpynA(Lf.lfFaceName, Face, LF_FACESIZE);
    HFONT Font = CreateFontIndirectA(&Lf);
    HGDIOBJ Old = SelectObject(Dc, Font);
    SIZE Size = {};
    GetTextExtentPoint32A(Dc, "菜谱", 4, &Size);
    // Two CJK glyphs of a 13-pixel face: about 26 pixels wide, never the 0 of a missing face.
    EXPECT_GE(Size.cx, 20) << Face;
    EXPECT_LE(Size.cx, 32) << Face;
    SelectObject(Dc, Old);
    DeleteObject(Font);
  }
  ReleaseDC(nullptr, Dc);
}
