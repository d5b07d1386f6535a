#include "tests/support/Capture.h"

#include <cstdlib>
#include <stdexcept>

#include "framework/graphics/PngFile.h"

COLORREF TCapture::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= Width || Y >= Height)
    throw std::out_of_range("TCapture::Pixel outside the capture");
  const uint8_t* P = &Rgb[(size_t(Y) * Width + X) * 3];
  return RGB(P[0], P[1], P[2]);
}

std::string TCapture::SavePng(const std::string& FileName) const {
  std::string Path = TestOutputPath(FileName);
  if (!WritePngFile(Path, Width, Height, Rgb)) throw std::runtime_error("cannot write " + Path);
  return Path;
}

TCapture CaptureScreenRect(const RECT& Rect) { return {CopyScreenRect(Rect)}; }

TCapture CaptureWindow(HWND Window, bool ClientOnly) { return {CopyWindowFromScreen(Window, ClientOnly)}; }

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
