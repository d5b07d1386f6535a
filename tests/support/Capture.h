// What GUI tests look at: captures of windows as a person sees them on the screen, their
// pixels, PNG copies under the build folder, and message pumping until something happens.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/graphics/ScreenCopy.h"

struct TCapture : TScreenImage {
  COLORREF Pixel(int X, int Y) const;
  // Saves the capture as TestOutputPath(FileName); returns the path written.
  std::string SavePng(const std::string& FileName) const;
};

// Copies a rectangle of the screen (screen coordinates).
TCapture CaptureScreenRect(const RECT& Rect);
// The whole window, frame included, or only its client area, as it stands on the screen.
TCapture CaptureWindow(HWND Window, bool ClientOnly = false);

// Dispatches the thread's messages until Done() answers true or TimeoutMs pass; true if done.
bool PumpUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 5000);
// Dispatches the thread's messages for Ms milliseconds.
void PumpFor(DWORD Ms);

// A path under the build's test-output folder (PANTREL_TEST_OUT), created on demand.
std::string TestOutputPath(const std::string& FileName);

// Colour distance test that tolerates the rounding of 16-bit-per-channel displays.
bool SameColor(COLORREF A, COLORREF B, int Tolerance = 8);
