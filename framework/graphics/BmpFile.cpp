#include "framework/graphics/BmpFile.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;
// Pictures wider or higher than this are refused before anything is allocated.
constexpr int64_t MaxSide = 1 << 16;

[[noreturn]] void Fail(const std::string& Why)
{
    throw EInvalidGraphic("Bitmap image is not valid: " + Why);
}

// Bounds-checked little-endian access to the bytes of one DIB.
class TBytes {
public:
    TBytes(const uint8_t* Data, size_t Size) : FData(Data), FSize(Size) {}
    size_t Size() const { return FSize; }
    void Need(size_t Pos, size_t Count) const
    {
        if (Pos > FSize || Count > FSize - Pos)
            Fail("data is truncated");
    }
    const uint8_t* At(size_t Pos, size_t Count) const
    {
        Need(Pos, Count);
        return FData + Pos;
    }
    uint8_t U8(size_t Pos) const { return *At(Pos, 1); }
    uint16_t U16(size_t Pos) const
    {
        const uint8_t* P = At(Pos, 2);
        return uint16_t(P[0] | P[1] << 8);
    }
    uint32_t U32(size_t Pos) const
    {
        const uint8_t* P = At(Pos, 4);
        return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
    }
    int32_t I32(size_t Pos) const { return int32_t(U32(Pos)); }

private:
    const uint8_t* FData;
    size_t FSize;
};

struct THeader {
    size_t Size = 0;
    int64_t Width = 0;
    int64_t Height = 0;  // always positive; TopDown tells the row order
    bool TopDown = false;
    unsigned BitCount = 0;
    uint32_t Compression = BiRgb;
    uint32_t ColorsUsed = 0;
    uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    size_t MaskBytes = 0;              // masks stored after the header
    size_t PaletteEntrySize = 4;
};

bool IsWindowsHeaderSize(size_t Size)
{
    return Size == 40 || Size == 52 || Size == 56 || Size == 108 || Size == 124;
}

THeader ReadHeader(const TBytes& B)
{
    THeader H;
    H.Size = B.U32(0);
    if (H.Size == CoreHeaderSize) {
        H.Width = B.U16(4);
        H.Height = B.U16(6);
        H.BitCount = B.U16(10);
        H.PaletteEntrySize = 3;
    } else if ((H.Size >= 16 && H.Size <= 64) || H.Size == 108 || H.Size == 124) {
        B.Need(0, H.Size);
        H.Width = B.I32(4);
        const int64_t Height = B.I32(8);
        H.TopDown = Height < 0;
        H.Height = Height < 0 ? -Height : Height;
        H.BitCount = B.U16(14);
        if (H.Size >= 20)
            H.Compression = B.U32(16);
        if (H.Size >= 36)
            H.ColorsUsed = B.U32(32);
        // OS/2 2.x headers number their own compressions above RLE4 (Huffman, RLE24).
        if (!IsWindowsHeaderSize(H.Size) && H.Compression > BiRle4)
            Fail("unsupported OS/2 compression");
    } else {
        Fail("unknown header size " + std::to_string(H.Size));
    }

    if (H.Width <= 0 || H.Height <= 0 || H.Width > MaxSide || H.Height > MaxSide)
        Fail("picture size " + std::to_string(H.Width) + " x " + std::to_string(H.Height));
    switch (H.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: Fail("unsupported bit count " + std::to_string(H.BitCount));
    }
    switch (H.Compression) {
    case BiRgb:
        break;
    case BiRle8:
    case BiRle4:
        if (H.BitCount != (H.Compression == BiRle8 ? 8u : 4u))
            Fail("run-length compression does not match the bit count");
        if (H.TopDown)
            Fail("run-length compressed rows cannot be top-down");
        break;
    case BiBitfields:
    case BiAlphaBitfields:
        if (H.BitCount != 16 && H.BitCount != 32)
            Fail("bit fields need 16 or 32 bits per pixel");
        if (H.Size >= 52) {
            for (int I = 0; I < (H.Size >= 56 ? 4 : 3); ++I)
                H.Masks[I] = B.U32(40 + 4 * size_t(I));
        } else if (H.Size == InfoHeaderSize) {
            H.MaskBytes = H.Compression == BiAlphaBitfields ? 16 : 12;
            for (size_t I = 0; I < H.MaskBytes / 4; ++I)
                H.Masks[I] = B.U32(H.Size + 4 * I);
        } else {
            Fail("bit fields without masks");
        }
        break;
    default:
        Fail("unsupported compression " + std::to_string(H.Compression));
    }
    return H;
}

// Number of colour-table entries stored in the data (indexed formats need them; others may
// carry an unused table that the pixel offset steps over).
size_t StoredPaletteCount(const THeader& H)
{
    const size_t Max = H.BitCount <= 8 ? size_t(1) << H.BitCount : 256;
    if (H.ColorsUsed == 0)
        return H.BitCount <= 8 ? Max : 0;
    return std::min<size_t>(H.ColorsUsed, Max);
}

void ReadPalette(const TBytes& B, const THeader& H, size_t Pos, size_t Count, TPixelImage& Image)
{
    B.Need(Pos, Count * H.PaletteEntrySize);
    for (size_t I = 0; I < Count; ++I) {
        const size_t P = Pos + I * H.PaletteEntrySize;
        Image.Palette[I] = uint32_t(B.U8(P + 2)) << 16 | uint32_t(B.U8(P + 1)) << 8 | B.U8(P);
    }
}

// One colour channel of a bit-field pixel, widened to 8 bits by repeating its bits (so
// 5-bit 31 becomes 255 and 16 becomes 132, as the platform's conversion does).
class TChannel {
public:
    explicit TChannel(uint32_t Mask)
    {
        if (Mask == 0)
            return;
        while (!(Mask & (1u << FShift)))
            ++FShift;
        const uint32_t Max = Mask >> FShift;
        if (Max & (Max + 1))
            Fail("bit-field mask is not contiguous");
        while (FBits < 32 && (Max >> FBits))
            ++FBits;
        FMask = Mask;
    }
    uint8_t operator()(uint32_t Pixel) const
    {
        const uint32_t V = (Pixel & FMask) >> FShift;
        if (FBits == 0)
            return 0;
        if (FBits >= 8)
            return uint8_t(V >> (FBits - 8));
        uint32_t Result = 0;
        for (int Shift = 8 - FBits; Shift > -FBits; Shift -= FBits)
            Result |= Shift >= 0 ? V << Shift : V >> -Shift;
        return uint8_t(Result);
    }

private:
    uint32_t FMask = 0;
    unsigned FShift = 0;
    int FBits = 0;
};

// Row Y of the file (in file order) lands in image row ImageRow(Y).
int ImageRow(const THeader& H, int64_t Y)
{
    return int(H.TopDown ? Y : H.Height - 1 - Y);
}

// Uncompressed rows must all be there (the last row's padding may be missing); checked
// before anything is allocated for them.
void NeedRows(const TBytes& B, const THeader& H, size_t Pos)
{
    const size_t Stride = TPixelImage::RowBytesFor(int(H.Width), int(H.BitCount));
    const size_t Used = (size_t(H.Width) * H.BitCount + 7) / 8;
    B.Need(Pos, Stride * size_t(H.Height - 1) + Used);
}

void CopyRows(const TBytes& B, const THeader& H, size_t Pos, TPixelImage& Image)
{
    const size_t Stride = TPixelImage::RowBytesFor(int(H.Width), int(H.BitCount));
    const size_t Used = (size_t(H.Width) * H.BitCount + 7) / 8;
    for (int64_t Y = 0; Y < H.Height; ++Y)
        std::memcpy(Image.Row(ImageRow(H, Y)), B.At(Pos + size_t(Y) * Stride, Used), Used);
}

void DecodeBitfields(const TBytes& B, const THeader& H, size_t Pos, TPixelImage& Image)
{
    const unsigned PixelBytes = H.BitCount / 8;
    const size_t Stride = TPixelImage::RowBytesFor(int(H.Width), int(H.BitCount));
    const TChannel Red(H.Masks[0]), Green(H.Masks[1]), Blue(H.Masks[2]), Alpha(H.Masks[3]);
    const unsigned OutBytes = unsigned(Image.BitCount) / 8;
    for (int64_t Y = 0; Y < H.Height; ++Y) {
        const uint8_t* Src = B.At(Pos + size_t(Y) * Stride, size_t(H.Width) * PixelBytes);
        uint8_t* Dst = Image.Row(ImageRow(H, Y));
        for (int64_t X = 0; X < H.Width; ++X, Src += PixelBytes, Dst += OutBytes) {
            uint32_t P = uint32_t(Src[0]) | uint32_t(Src[1]) << 8;
            if (PixelBytes == 4)
                P |= uint32_t(Src[2]) << 16 | uint32_t(Src[3]) << 24;
            Dst[0] = Blue(P);
            Dst[1] = Green(P);
            Dst[2] = Red(P);
            if (OutBytes == 4)
                Dst[3] = Alpha(P);
        }
    }
}

// RLE8 and RLE4: runs and literal groups of palette indexes, bottom-up. Pixels that fall
// outside the picture are dropped; every step consumes input, so decoding always ends.
void DecodeRle(const TBytes& B, const THeader& H, size_t Pos, TPixelImage& Image)
{
    const bool Four = H.Compression == BiRle4;
    const int64_t W = H.Width;
    int64_t X = 0, Y = 0;
    auto Put = [&](unsigned Index) {
        if (X < W)
            Image.SetIndex(int(X), ImageRow(H, Y), Index);
        X = std::min(X + 1, W);
    };
    while (Y < H.Height) {
        const uint8_t Count = B.U8(Pos), Value = B.U8(Pos + 1);
        Pos += 2;
        if (Count > 0) {
            for (unsigned I = 0; I < Count && X < W; ++I)
                Put(Four ? (I & 1 ? Value & 0x0F : Value >> 4) : Value);
        } else if (Value == 0) {
            X = 0;
            ++Y;
        } else if (Value == 1) {
            break;
        } else if (Value == 2) {
            X = std::min(X + B.U8(Pos), W);
            Y += B.U8(Pos + 1);
            Pos += 2;
        } else {
            size_t Bytes = Four ? (Value + 1u) / 2 : Value;
            Bytes += Bytes & 1;
            const uint8_t* Literal = B.At(Pos, Bytes);
            for (unsigned I = 0; I < Value && X < W; ++I)
                Put(Four ? (I & 1 ? Literal[I / 2] & 0x0F : Literal[I / 2] >> 4) : Literal[I]);
            Pos += Bytes;
        }
    }
}

// PixelOffset: where the pixels start, counted from the info header; 0 = right after the
// colour table.
TPixelImage ReadDibAt(const TBytes& B, size_t PixelOffset)
{
    const THeader H = ReadHeader(B);
    const size_t PalettePos = H.Size + H.MaskBytes;
    size_t PaletteCount = StoredPaletteCount(H);
    if (PixelOffset >= PalettePos && PaletteCount * H.PaletteEntrySize > PixelOffset - PalettePos)
        PaletteCount = (PixelOffset - PalettePos) / H.PaletteEntrySize;
    if (PixelOffset < PalettePos)
        PixelOffset = PalettePos + PaletteCount * H.PaletteEntrySize;

    TPixelImage Image;
    const bool Indexed = H.BitCount <= 8;
    const bool Rle = H.Compression == BiRle8 || H.Compression == BiRle4;
    const bool Converted = H.BitCount == 16 || H.Compression == BiBitfields || H.Compression == BiAlphaBitfields;
    if (!Rle)
        NeedRows(B, H, PixelOffset);
    Image.Allocate(int(H.Width), int(H.Height), H.BitCount == 16 ? 24 : int(H.BitCount));
    if (Indexed)
        ReadPalette(B, H, PalettePos, PaletteCount, Image);

    THeader Fields = H;
    if (H.BitCount == 16 && H.Compression == BiRgb) {
        Fields.Masks[0] = 0x7C00;
        Fields.Masks[1] = 0x03E0;
        Fields.Masks[2] = 0x001F;
    }
    if (Rle)
        DecodeRle(B, H, PixelOffset, Image);
    else if (Converted)
        DecodeBitfields(B, Fields, PixelOffset, Image);
    else
        CopyRows(B, H, PixelOffset, Image);
    return Image;
}

void Put16(std::vector<uint8_t>& Out, uint32_t V)
{
    Out.push_back(uint8_t(V));
    Out.push_back(uint8_t(V >> 8));
}

void Put32(std::vector<uint8_t>& Out, uint32_t V)
{
    Put16(Out, V & 0xFFFF);
    Put16(Out, V >> 16);
}

}  // namespace

TPixelImage ReadBmpFile(const uint8_t* Data, size_t Size)
{
    const TBytes File(Data, Size);
    if (File.U8(0) != 'B' || File.U8(1) != 'M')
        Fail("no bitmap file signature");
    File.Need(0, FileHeaderSize);
    const size_t Offset = File.U32(10);
    const TBytes Dib(Data + FileHeaderSize, Size - FileHeaderSize);
    return ReadDibAt(Dib, Offset >= FileHeaderSize ? Offset - FileHeaderSize : 0);
}

TPixelImage ReadDib(const uint8_t* Data, size_t Size)
{
    return ReadDibAt(TBytes(Data, Size), 0);
}

std::vector<uint8_t> WriteBmpFile(const TPixelImage& Image)
{
    const size_t PaletteBytes = Image.Palette.size() * 4;
    const size_t PixelOffset = FileHeaderSize + InfoHeaderSize + PaletteBytes;
    const size_t ImageBytes = Image.RowBytes() * size_t(Image.Height);
    std::vector<uint8_t> Out;
    Out.reserve(PixelOffset + ImageBytes);
    Out.push_back('B');
    Out.push_back('M');
    Put32(Out, uint32_t(PixelOffset + ImageBytes));
    Put32(Out, 0);
    Put32(Out, uint32_t(PixelOffset));
    Put32(Out, InfoHeaderSize);
    Put32(Out, uint32_t(Image.Width));
    Put32(Out, uint32_t(Image.Height));
    Put16(Out, 1);
    Put16(Out, uint32_t(Image.BitCount));
    Put32(Out, BiRgb);
    Put32(Out, uint32_t(ImageBytes));
    Put32(Out, 3780);  // 96 dots per inch
    Put32(Out, 3780);
    Put32(Out, uint32_t(Image.Palette.size()));
    Put32(Out, 0);
    for (uint32_t C : Image.Palette)
        Put32(Out, C & 0xFFFFFF);
    for (int Y = Image.Height - 1; Y >= 0; --Y)
        Out.insert(Out.end(), Image.Row(Y), Image.Row(Y) + Image.RowBytes());
    return Out;
}
