#pragma once
// Decoding JPEG files (baseline, progressive, greyscale) with libjpeg into a 24-bit image.
// Damaged or unsupported data, including recoverable corruption, raises EInvalidGraphic.

#include "framework/graphics/PixelImage.h"

#include <cstddef>
#include <cstdint>

struct TJpegInfo {
    int Width = 0;
    int Height = 0;
    bool Grayscale = false;
    bool Progressive = false;
};

// Only the header: size and kind, without decoding the pixels.
TJpegInfo ReadJpegInfo(const uint8_t* Data, size_t Size);
TPixelImage ReadJpegFile(const uint8_t* Data, size_t Size);
