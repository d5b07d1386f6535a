#pragma once
// Reading and writing Windows bitmap files (.bmp) and bare DIBs (bitmap resources).
// Reads 1, 4, 8, 16, 24 and 32 bits per pixel, bit fields, bottom-up and top-down rows,
// RLE4/RLE8 and OS/2 headers; malformed data raises EInvalidGraphic.

#include "framework/graphics/PixelImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Indexed images keep their bit count and palette; 16-bit images become 24-bit; 32-bit
// images keep their fourth byte (or get the alpha of their bit fields).
TPixelImage ReadBmpFile(const uint8_t* Data, size_t Size);
// A DIB without file header: an info header, its colour table, then the pixels.
TPixelImage ReadDib(const uint8_t* Data, size_t Size);

// A bottom-up file with a 40-byte header, uncompressed, in the image's own bit count.
std::vector<uint8_t> WriteBmpFile(const TPixelImage& Image);
