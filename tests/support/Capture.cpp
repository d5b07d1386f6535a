#include "tests/support/Capture.h"

#include <cstdlib>
#include <stdexcept>

#include "tests/support/PngWriter.h"

COLORREF TCapture::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= Width || Y >= Height)
    throw std::out_of_range("TCapture::Pixel outside the capture");
  const uint8_t* P = &Rgb[(size_t(Y) * Width + X) * 3];
  return RGB(P[0], P[1], P[2]);
}

std::string TCapture::SavePng(const std::string& FileName) const {
  std::string Path = TestOutputPath(FileName);
  if (!WritePng(Path, Width, Height, Rgb)) throw std::runtime_error("cannot write " + Path);
  return Path;
}

TCapture CaptureScreenRect(const RECT& Rect) {
  TCapture C;
  C.Width = Rect.right - Rect.left;
  C.Height = Rect.bottom - Rect.top;
  if (C.Width <= 0 || C.Height <= 0) throw std::invalid_argument("empty capture rectangle");
  HDC Screen = GetDC(nullptr);
  HDC Memory = CreateCompatibleDC(Screen);
  BITMAPINFO Info = {};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = C.Width;
  Info.bmiHeader.biHeight = -C.Height;  // top-down
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  void* Bits = nullptr;
  HBITMAP Dib = CreateDIBSection(Screen, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  HGDIOBJ Old = SelectObject(Memory, Dib);
  BitBlt(Memory, 0, 0, C.Width, C.Height, Screen, Rect.left, Rect.top, SRCCOPY);
  GdiFlush();
  C.Rgb.resize(size_t(C.Width) * C.Height * 3);
  const uint8_t* Src = static_cast<const uint8_t*>(Bits);
  for (size_t i = 0, n = size_t(C.Width) * C.Height; i < n; ++i) {
    C.Rgb[i * 3] = Src[i * 4 + 2];
    C.Rgb[i * 3 + 1] = Src[i * 4 + 1];
    C.Rgb[i * 3 + 2] = Src[i * 4];
  }
  SelectObject(Memory, Old);
  DeleteObject(Dib);
  DeleteDC(Memory);
  ReleaseDC(nullptr, Screen);
  return C;
}

TCapture CaptureWindow(HWND Window, bool ClientOnly) {
  RECT R;
  if (ClientOnly) {
    GetClientRect(Window, &R);
    MapWindowPoints(Window, nullptr, reinterpret_cast<POINT*>(&R), 2);
  } else {
    GetWindowRect(Window, &R);
  }
  return CaptureScreenRect(R);
}

bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs) {
  DWORD Start = GetTickCount();
  for (;;) {
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&Msg);
      DispatchMessageA(&Msg);
    }
    if (Done()) return true;
    if (GetTickCount() - Start >= TimeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD Ms) {
  PumpUntil([] { return false; }, Ms);
}

std::string TestOutputPath(const std::string& FileName) {
  const char* Dir = std::getenv("PANTREL_TEST_OUT");
  std::string Base = Dir && *Dir ? Dir : ".";
  CreateDirectoryA(Base.c_str(), nullptr);
  return Base + "\\" + FileName;
}

bool SameColor(COLORREF A, COLORREF B, int Tolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance &&
         std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}
