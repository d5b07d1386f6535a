#include "framework/graphics/PixelImage.h"

size_t TPixelImage::RowBytesFor(int Width, int BitCount)
{
    return ((size_t(Width) * size_t(BitCount) + 31) / 32) * 4;
}

void TPixelImage::Allocate(int AWidth, int AHeight, int ABitCount)
{
    if (AWidth <= 0 || AHeight <= 0)
        throw EInvalidGraphic("Picture size is not valid");
    const size_t Row = RowBytesFor(AWidth, ABitCount);
    if (Row > MaxPixelBytes / size_t(AHeight))
        throw EInvalidGraphic("Picture is too large");
    Width = AWidth;
    Height = AHeight;
    BitCount = ABitCount;
    Palette.assign(ABitCount <= 8 ? size_t(1) << ABitCount : 0, 0);
    Pixels.assign(Row * size_t(AHeight), 0);
}

unsigned TPixelImage::Index(int X, int Y) const
{
    const uint8_t* R = Row(Y);
    switch (BitCount) {
    case 1: return (R[X >> 3] >> (7 - (X & 7))) & 1;
    case 4: return (X & 1) ? R[X >> 1] & 0x0F : R[X >> 1] >> 4;
    default: return R[X];
    }
}

void TPixelImage::SetIndex(int X, int Y, unsigned Value)
{
    uint8_t* R = Row(Y);
    switch (BitCount) {
    case 1: {
        const uint8_t Bit = uint8_t(0x80 >> (X & 7));
        R[X >> 3] = uint8_t((Value & 1) ? R[X >> 3] | Bit : R[X >> 3] & ~Bit);
        break;
    }
    case 4:
        if (X & 1)
            R[X >> 1] = uint8_t((R[X >> 1] & 0xF0) | (Value & 0x0F));
        else
            R[X >> 1] = uint8_t((R[X >> 1] & 0x0F) | (Value & 0x0F) << 4);
        break;
    default:
        R[X] = uint8_t(Value);
    }
}

uint32_t TPixelImage::PixelRGB(int X, int Y) const
{
    if (BitCount <= 8)
        return Palette[Index(X, Y)] & 0xFFFFFF;
    const uint8_t* P = Row(Y) + size_t(X) * (BitCount / 8);
    return uint32_t(P[2]) << 16 | uint32_t(P[1]) << 8 | P[0];
}
