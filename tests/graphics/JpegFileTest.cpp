// Decoding JPEG files made by ImageMagick, compared with ImageMagick's own decoding, and
// damaged files, which must raise instead of yielding made-up pixels or ending the process.

#include "framework/graphics/JpegFile.h"
#include "tests/graphics/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Picture(const std::string& Name)
{
    return ReadPictureFile("images/" + Name + ".jpg");
}

TPixelImage Decode(const std::vector<uint8_t>& File)
{
    return ReadJpegFile(File.data(), File.size());
}

int ChannelDistance(uint32_t A, uint32_t B)
{
    int Max = 0;
    for (int Shift = 0; Shift < 24; Shift += 8)
        Max = std::max(Max, std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)));
    return Max;
}

}  // namespace

TEST(JpegFile, DecodesLikeImageMagick)
{
    for (const char* Name : {"baseline", "progressive", "gray"}) {
        SCOPED_TRACE(Name);
        const TPixelImage Image = Decode(Picture(Name));
        const TPpm Reference = ReadPpm(std::string("images/") + Name + ".ppm");
        ASSERT_EQ(Image.Width, Reference.Width);
        ASSERT_EQ(Image.Height, Reference.Height);
        EXPECT_EQ(Image.BitCount, 24);
        int Worst = 0;
        for (int Y = 0; Y < Image.Height; ++Y)
            for (int X = 0; X < Image.Width; ++X)
                Worst = std::max(Worst, ChannelDistance(Image.PixelRGB(X, Y),
                                                        Reference.Pixels[size_t(Y * Image.Width + X)]));
        EXPECT_LE(Worst, 2);
    }
}

TEST(JpegFile, ReportsKindFromHeader)
{
    const std::vector<uint8_t> Progressive = Picture("progressive"), Gray = Picture("gray");
    const TJpegInfo P = ReadJpegInfo(Progressive.data(), Progressive.size());
    const TJpegInfo G = ReadJpegInfo(Gray.data(), Gray.size());
    EXPECT_EQ(P.Width, 29);
    EXPECT_EQ(P.Height, 11);
    EXPECT_TRUE(P.Progressive);
    EXPECT_FALSE(P.Grayscale);
    EXPECT_TRUE(G.Grayscale);
    EXPECT_FALSE(G.Progressive);
}

TEST(JpegFile, RefusesDamagedFiles)
{
    EXPECT_THROW(Decode({}), EInvalidGraphic);
    EXPECT_THROW(Decode(ReadPictureFile("images/t24.bmp")), EInvalidGraphic) << "not a JPEG";
    for (const char* Name : {"baseline", "progressive"}) {
        SCOPED_TRACE(Name);
        const std::vector<uint8_t> File = Picture(Name);
        for (size_t Cut : {size_t(2), size_t(100), File.size() / 2, File.size() - 20}) {
            std::vector<uint8_t> Short(File.begin(), File.begin() + long(Cut));
            EXPECT_THROW(Decode(Short), EInvalidGraphic) << "cut at " << Cut;
        }
        // Markers in the middle of the entropy-coded data.
        std::vector<uint8_t> Garbled = File;
        for (size_t I = File.size() / 2; I < File.size() / 2 + 16; I += 2) {
            Garbled[I] = 0xFF;
            Garbled[I + 1] = 0xD0 + uint8_t(I % 8);
        }
        EXPECT_THROW(Decode(Garbled), EInvalidGraphic);
    }
}
