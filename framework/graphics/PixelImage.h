#pragma once
// A decoded picture held in plain memory, laid out like a device-independent bitmap, and the
// error raised for pictures that cannot be read. Platform-neutral: the file readers produce it
// and the Windows bitmap copies it into a DIB section.

#include "framework/core/Exception.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

struct TPixelImage {
    // Largest pixel buffer a reader may allocate; bigger pictures are refused.
    static constexpr size_t MaxPixelBytes = size_t(128) << 20;

    int Width = 0;
    int Height = 0;
    int BitCount = 0;               // 1, 4, 8, 24 or 32
    std::vector<uint32_t> Palette;  // 0x00RRGGBB; 1 << BitCount entries for indexed images
    std::vector<uint8_t> Pixels;    // Height rows top-down, each RowBytes() long, blue first

    static size_t RowBytesFor(int Width, int BitCount);
    size_t RowBytes() const { return RowBytesFor(Width, BitCount); }
    uint8_t* Row(int Y) { return Pixels.data() + size_t(Y) * RowBytes(); }
    const uint8_t* Row(int Y) const { return Pixels.data() + size_t(Y) * RowBytes(); }

    // Sizes the image (zeroed pixels, black palette); raises EInvalidGraphic when the size
    // is not positive or the buffer would exceed MaxPixelBytes.
    void Allocate(int AWidth, int AHeight, int ABitCount);

    // Palette index of an indexed image at (X, Y).
    unsigned Index(int X, int Y) const;
    void SetIndex(int X, int Y, unsigned Value);
    // Colour at (X, Y) as 0x00RRGGBB, whatever the format.
    uint32_t PixelRGB(int X, int Y) const;
};
