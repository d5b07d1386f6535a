// Reading bitmap files: files written here byte by byte in every layout the reader accepts,
// files written by ImageMagick compared with ImageMagick's own reading of them, and damaged
// files, which must raise and never read outside the buffer (the native build runs this under
// AddressSanitizer).

#include "framework/graphics/BmpFile.h"
#include "tests/graphics/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct TDib {
    uint32_t HeaderSize = 40;
    int32_t Width = 0, Height = 0;
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    std::vector<uint32_t> Palette;
    std::vector<uint32_t> Masks;  // after a 40-byte header, or inside a larger one
    std::vector<uint8_t> Pixels;  // in file order
};

void Put(std::vector<uint8_t>& B, uint64_t V, int Bytes)
{
    for (int I = 0; I < Bytes; ++I)
        B.push_back(uint8_t(V >> (8 * I)));
}

std::vector<uint8_t> Encode(const TDib& D)
{
    std::vector<uint8_t> Info;
    Put(Info, D.HeaderSize, 4);
    if (D.HeaderSize == 12) {
        Put(Info, uint32_t(D.Width), 2);
        Put(Info, uint32_t(D.Height), 2);
        Put(Info, 1, 2);
        Put(Info, D.BitCount, 2);
    } else {
        Put(Info, uint32_t(D.Width), 4);
        Put(Info, uint32_t(D.Height), 4);
        Put(Info, 1, 2);
        Put(Info, D.BitCount, 2);
        Put(Info, D.Compression, 4);
        Put(Info, uint32_t(D.Pixels.size()), 4);
        Put(Info, 0, 8);
        Put(Info, uint32_t(D.Palette.size()), 4);
        Put(Info, 0, 4);
        if (D.HeaderSize > 40) {
            for (uint32_t M : D.Masks)
                Put(Info, M, 4);
        }
        Info.resize(D.HeaderSize, 0);
        if (D.HeaderSize == 40) {
            for (uint32_t M : D.Masks)
                Put(Info, M, 4);
        }
    }
    for (uint32_t C : D.Palette)
        Put(Info, C, D.HeaderSize == 12 ? 3 : 4);
    std::vector<uint8_t> File{'B', 'M'};
    Put(File, uint32_t(14 + Info.size() + D.Pixels.size()), 4);
    Put(File, 0, 4);
    Put(File, uint32_t(14 + Info.size()), 4);
    File.insert(File.end(), Info.begin(), Info.end());
    File.insert(File.end(), D.Pixels.begin(), D.Pixels.end());
    return File;
}

TPixelImage Read(const std::vector<uint8_t>& File)
{
    return ReadBmpFile(File.data(), File.size());
}

std::vector<uint32_t> Colours(const TPixelImage& Image)
{
    std::vector<uint32_t> Out;
    for (int Y = 0; Y < Image.Height; ++Y)
        for (int X = 0; X < Image.Width; ++X)
            Out.push_back(Image.PixelRGB(X, Y));
    return Out;
}

// A 3 x 2 picture: top row red, green, blue; bottom row white, black, grey.
const std::vector<uint32_t> Expected3x2 = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};

TDib Dib24(int32_t Height)
{
    TDib D;
    D.Width = 3;
    D.Height = Height;
    const std::vector<uint8_t> Top = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    const std::vector<uint8_t> Bottom = {255, 255, 255, 0, 0, 0, 128, 128, 128, 0, 0, 0};
    D.Pixels = Height < 0 ? Top : Bottom;
    const auto& Second = Height < 0 ? Bottom : Top;
    D.Pixels.insert(D.Pixels.end(), Second.begin(), Second.end());
    return D;
}

TDib Dib8(uint32_t HeaderSize)
{
    TDib D;
    D.HeaderSize = HeaderSize;
    D.Width = 3;
    D.Height = 2;
    D.BitCount = 8;
    D.Palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    D.Pixels = {3, 4, 5, 0, 0, 1, 2, 0};
    return D;
}

}  // namespace

TEST(BmpFile, ReadsEveryUncompressedLayout)
{
    EXPECT_EQ(Colours(Read(Encode(Dib24(2)))), Expected3x2);
    EXPECT_EQ(Colours(Read(Encode(Dib24(-2)))), Expected3x2) << "top-down";
    EXPECT_EQ(Colours(Read(Encode(Dib8(40)))), Expected3x2);
    EXPECT_EQ(Colours(Read(Encode(Dib8(64)))), Expected3x2) << "OS/2 2.x header";

    TDib Core = Dib8(12);
    Core.Palette.resize(256);  // core headers always carry the full table
    EXPECT_EQ(Colours(Read(Encode(Core))), Expected3x2) << "OS/2 1.x header";

    TDib Four = Dib8(40);
    Four.BitCount = 4;
    Four.Pixels = {0x34, 0x50, 0, 0, 0x01, 0x20, 0, 0};
    const TPixelImage FourImage = Read(Encode(Four));
    EXPECT_EQ(FourImage.BitCount, 4);
    EXPECT_EQ(FourImage.Palette.size(), 16u) << "short tables are padded";
    EXPECT_EQ(Colours(FourImage), Expected3x2);

    TDib Mono = Dib8(40);
    Mono.BitCount = 1;
    Mono.Palette = {0x000000, 0xFFFFFF};
    Mono.Pixels = {0x40, 0, 0, 0, 0xA0, 0, 0, 0};
    EXPECT_EQ(Colours(Read(Encode(Mono))),
              (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0}));
}

TEST(BmpFile, ReadsSixteenAndThirtyTwoBitFormats)
{
    TDib Rgb555;
    Rgb555.Width = 2;
    Rgb555.Height = 1;
    Rgb555.BitCount = 16;
    Rgb555.Pixels = {0x00, 0x7C, 0xFF, 0x03};  // pure red; green + blue all ones
    EXPECT_EQ(Colours(Read(Encode(Rgb555))), (std::vector<uint32_t>{0xFF0000, 0x00FFFF}));

    TDib Rgb565 = Rgb555;
    Rgb565.Compression = 3;
    Rgb565.Masks = {0xF800, 0x07E0, 0x001F};
    Rgb565.Pixels = {0x00, 0xF8, 0xE0, 0x07};
    EXPECT_EQ(Colours(Read(Encode(Rgb565))), (std::vector<uint32_t>{0xFF0000, 0x00FF00}));
    Rgb565.HeaderSize = 108;  // masks inside a V4 header
    EXPECT_EQ(Colours(Read(Encode(Rgb565))), (std::vector<uint32_t>{0xFF0000, 0x00FF00}));

    TDib Plain32;
    Plain32.Width = 1;
    Plain32.Height = 1;
    Plain32.BitCount = 32;
    Plain32.Pixels = {0x11, 0x22, 0x33, 0x44};
    const TPixelImage Kept = Read(Encode(Plain32));
    EXPECT_EQ(Kept.BitCount, 32);
    EXPECT_EQ(std::vector<uint8_t>(Kept.Pixels.begin(), Kept.Pixels.end()), Plain32.Pixels)
        << "the fourth byte is kept";

    TDib Fields32 = Plain32;
    Fields32.HeaderSize = 56;
    Fields32.Compression = 3;
    Fields32.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};  // red in the low byte
    EXPECT_EQ(std::vector<uint8_t>(Read(Encode(Fields32)).Pixels), (std::vector<uint8_t>{0x33, 0x22, 0x11, 0x44}));
}

TEST(BmpFile, DecodesRunLengthData)
{
    TDib Rle8 = Dib8(40);
    Rle8.Compression = 1;
    Rle8.Width = 4;
    Rle8.Height = 3;
    Rle8.Pixels = {
        2, 3, 0, 3, 4, 5, 1, 0,  // bottom row: run of two, literal of three (one too many)
        0, 0,                    // end of line
        0, 2, 1, 1,              // delta: skip the middle row, start at x = 1 on the top row
        9, 2,                    // a run past the right edge is clipped
        0, 1};                   // end of bitmap
    const TPixelImage Image = Read(Encode(Rle8));
    EXPECT_EQ(Colours(Image), (std::vector<uint32_t>{
        0xFF0000, 0x0000FF, 0x0000FF, 0x0000FF,  // unwritten pixels take index 0
        0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000,
        0xFFFFFF, 0xFFFFFF, 0x000000, 0x808080}));

    TDib Rle4 = Dib8(40);
    Rle4.BitCount = 4;
    Rle4.Compression = 2;
    Rle4.Width = 5;
    Rle4.Height = 2;
    Rle4.Pixels = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};  // alternating run; literal of 3
    EXPECT_EQ(Colours(Read(Encode(Rle4))), (std::vector<uint32_t>{
        0xFFFFFF, 0x000000, 0x808080, 0xFF0000, 0xFF0000,
        0x00FF00, 0x0000FF, 0x00FF00, 0x0000FF, 0x00FF00}));
}

TEST(BmpFile, WritesWhatItReads)
{
    for (const TDib& D : {Dib24(2), Dib8(40)}) {
        const TPixelImage Image = Read(Encode(D));
        const std::vector<uint8_t> Saved = WriteBmpFile(Image);
        const TPixelImage Again = Read(Saved);
        EXPECT_EQ(Again.BitCount, Image.BitCount);
        EXPECT_EQ(Again.Palette, Image.Palette);
        EXPECT_EQ(Again.Pixels, Image.Pixels);
    }
}

TEST(BmpFile, RefusesMalformedFiles)
{
    auto ExpectInvalid = [](std::vector<uint8_t> File, const char* What) {
        EXPECT_THROW(Read(File), EInvalidGraphic) << What;
    };
    ExpectInvalid({}, "empty");
    ExpectInvalid({'B', 'M', 0, 0}, "no header");
    std::vector<uint8_t> NotBmp = Encode(Dib24(2));
    NotBmp[0] = 'P';
    ExpectInvalid(NotBmp, "signature");

    TDib D = Dib24(2);
    D.HeaderSize = 100;
    ExpectInvalid(Encode(D), "header size");
    D = Dib24(2);
    D.Width = 0;
    ExpectInvalid(Encode(D), "zero width");
    D = Dib24(2);
    D.BitCount = 7;
    ExpectInvalid(Encode(D), "bit count");
    D = Dib8(40);
    D.Compression = 2;
    ExpectInvalid(Encode(D), "RLE4 with 8 bits");
    D = Dib8(40);
    D.Compression = 1;
    D.Height = -2;
    ExpectInvalid(Encode(D), "top-down RLE");
    D = Dib24(2);
    D.BitCount = 16;
    D.Compression = 3;
    D.Masks = {0xF00F, 0x0FF0, 0};
    ExpectInvalid(Encode(D), "scattered mask");

    // A tiny file claiming a huge run-length picture is refused before allocation.
    D = Dib8(40);
    D.Compression = 1;
    D.Width = 65536;
    D.Height = 65536;
    D.Pixels = {0, 1};
    ExpectInvalid(Encode(D), "too large");
    D.Width = 65537;
    D.Height = 1;
    ExpectInvalid(Encode(D), "too wide");

    // Every truncation of valid files is refused (the last row's padding may be missing).
    TDib Rle = Dib8(40);
    Rle.Compression = 1;
    Rle.Pixels = {0, 3, 3, 4, 5, 0, 0, 0, 3, 0, 0, 1};
    for (const TDib& Valid : {Dib24(2), Dib24(-2), Dib8(40), Dib8(12), Rle}) {
        std::vector<uint8_t> File = Encode(Valid);
        ASSERT_NO_THROW(Read(File));
        for (size_t Size = 0; Size + 3 < File.size(); ++Size) {
            std::vector<uint8_t> Cut(File.begin(), File.begin() + long(Size));
            EXPECT_THROW(Read(Cut), EInvalidGraphic) << "cut at " << Size;
        }
    }
}

TEST(BmpFile, MatchesImageMagick)
{
    for (const char* Name : {"t24", "p8", "p4", "m1", "rle8", "os2", "os2p", "565", "555", "a32"}) {
        SCOPED_TRACE(Name);
        const std::vector<uint8_t> File = ReadPictureFile(std::string("images/") + Name + ".bmp");
        const TPpm Reference = ReadPpm(std::string("images/") + Name + ".ppm");
        const TPixelImage Image = Read(File);
        ASSERT_EQ(Image.Width, Reference.Width);
        ASSERT_EQ(Image.Height, Reference.Height);
        EXPECT_EQ(Colours(Image), Reference.Pixels);
    }
}
