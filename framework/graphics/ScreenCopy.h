#pragma once
// Copies of what the screen shows: a rectangle of it, or a window as it stands there (its
// frame included, or only its client area). With no window manager in the way, these are the
// pixels the windows painted, whoever painted their frames.
#include <windows.h>

#include <cstdint>
#include <vector>

// Rows top-down, 3 bytes a pixel in the order R G B (what EncodePng takes).
struct TScreenImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Rgb;
};

// Raises std::invalid_argument for an empty rectangle, EOutOfResources when GDI refuses.
TScreenImage CopyScreenRect(const RECT& Rect);
TScreenImage CopyWindowFromScreen(HWND Window, bool ClientOnly = false);
