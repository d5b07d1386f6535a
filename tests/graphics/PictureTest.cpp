// Pictures of every kind loaded from files by their extension and drawn, with the drawn
// pixels compared to ImageMagick's reading of the same file (JPEG, BMP) or to what was drawn
// into the metafile; unreadable files raise with the file's name.

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/Metafile.h"
#include "framework/graphics/Picture.h"
#include "tests/graphics/PictureFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

// The picture drawn at its own size onto a black 24-bit bitmap.
void DrawnAtOwnSize(TPicture& P, TBitmap& Out)
{
    Out.SetPixelFormat(pf24bit);
    Out.SetSize(P.Width(), P.Height());
    Out.Canvas()->Draw(0, 0, *P.Graphic());
}

int WorstDistance(TBitmap& Drawn, const TPpm& Reference)
{
    int Worst = 0;
    const TPixelImage Image = Drawn.ToImage();
    for (int Y = 0; Y < Image.Height; ++Y)
        for (int X = 0; X < Image.Width; ++X) {
            const uint32_t A = Image.PixelRGB(X, Y), B = Reference.Pixels[size_t(Y * Image.Width + X)];
            for (int Shift = 0; Shift < 24; Shift += 8)
                Worst = std::max(Worst, std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF)));
        }
    return Worst;
}

// A 100 x 50 pixel picture: left half red, right half blue.
HENHMETAFILE MakeEnhanced()
{
    const HDC DC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    const HBRUSH Red = CreateSolidBrush(RGB(255, 0, 0)), Blue = CreateSolidBrush(RGB(0, 0, 255));
    const RECT Left{0, 0, 50, 50}, Right{50, 0, 100, 50};
    FillRect(DC, &Left, Red);
    FillRect(DC, &Right, Blue);
    DeleteObject(Red);
    DeleteObject(Blue);
    return CloseEnhMetaFile(DC);
}

void SaveEnhanced(const std::string& FileName)
{
    const HENHMETAFILE M = MakeEnhanced();
    DeleteEnhMetaFile(CopyEnhMetaFileA(M, FileName.c_str()));
    DeleteEnhMetaFile(M);
}

// The same picture as a placeable Windows metafile, 100 x 50 units at 96 units per inch.
void SavePlaceable(const std::string& FileName)
{
    const HDC DC = CreateMetaFileA(nullptr);
    SetWindowExtEx(DC, 100, 50, nullptr);
    const HBRUSH Red = CreateSolidBrush(RGB(255, 0, 0)), Blue = CreateSolidBrush(RGB(0, 0, 255));
    const RECT Left{0, 0, 50, 50}, Right{50, 0, 100, 50};
    FillRect(DC, &Left, Red);
    FillRect(DC, &Right, Blue);
    const HMETAFILE M = CloseMetaFile(DC);
    std::vector<uint8_t> Bits(GetMetaFileBitsEx(M, 0, nullptr));
    GetMetaFileBitsEx(M, UINT(Bits.size()), Bits.data());
    DeleteMetaFile(M);
    DeleteObject(Red);
    DeleteObject(Blue);

    const uint16_t Header[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 50, 96, 0, 0};
    uint16_t Sum = 0;
    for (uint16_t W : Header)
        Sum ^= W;
    TFileStream Out(FileName, fmCreate);
    Out.WriteBuffer(Header, sizeof Header);
    Out.WriteBuffer(&Sum, 2);
    Out.WriteBuffer(Bits.data(), int64_t(Bits.size()));
}

// The first half of a file, under another name.
void SaveFirstHalf(const std::string& From, const std::string& To)
{
    const std::vector<uint8_t> Bytes = ReadPictureFile(From);
    TFileStream Out(To, fmCreate);
    Out.WriteBuffer(Bytes.data(), int64_t(Bytes.size() / 2));
}

void ExpectHalves(TPicture& P)
{
    TBitmap Out;
    Out.SetPixelFormat(pf24bit);
    Out.SetSize(40, 20);
    Out.Canvas()->StretchDraw(RECT{0, 0, 40, 20}, *P.Graphic());
    EXPECT_EQ(Out.Canvas()->Pixels(5, 10), clRed);
    EXPECT_EQ(Out.Canvas()->Pixels(35, 10), clBlue);
}

}  // namespace

TEST(Picture, LoadsJpegsAndBitmapsByExtension)
{
    for (const char* Name : {"baseline.jpg", "progressive.jpg", "gray.jpg", "t24.bmp", "rle8.bmp", "os2p.bmp", "565.bmp"}) {
        SCOPED_TRACE(Name);
        TPicture P;
        TChangeCounter Changes;
        P.OnChange = TNotifyEvent(&Changes, &TChangeCounter::Changed);
        P.LoadFromFile(std::string("images/") + Name);
        EXPECT_EQ(Changes.Count, 1);
        const bool Jpeg = std::string(Name).find(".jpg") != std::string::npos;
        EXPECT_EQ(Jpeg, dynamic_cast<TJPEGImage*>(P.Graphic()) != nullptr);
        EXPECT_EQ(P.Width(), 29);
        EXPECT_EQ(P.Height(), 11);
        TBitmap Drawn;
        DrawnAtOwnSize(P, Drawn);
        const std::string Stem = std::string(Name).substr(0, std::string(Name).find('.'));
        EXPECT_LE(WorstDistance(Drawn, ReadPpm("images/" + Stem + ".ppm")), Jpeg ? 2 : 0);
    }
    TPicture Upper;
    Upper.LoadFromFile("images/UPPER.JPEG");
    EXPECT_EQ(Upper.Width(), 29) << "extensions in any case";
}

TEST(Picture, LoadsIconsAndMetafiles)
{
    TPicture Icon;
    Icon.LoadFromFile("images/icon.ico");
    ASSERT_NE(dynamic_cast<TIcon*>(Icon.Graphic()), nullptr);
    EXPECT_EQ(Icon.Width(), 32);
    TBitmap Drawn;
    DrawnAtOwnSize(Icon, Drawn);
    const TPpm Reference = ReadPpm("images/icon.ppm");
    EXPECT_EQ(Drawn.ToImage().PixelRGB(16, 16), Reference.Pixels[16 * 32 + 16]);

    SaveEnhanced("images/halves.emf");
    TPicture Emf;
    Emf.LoadFromFile("images/halves.emf");
    ASSERT_NE(dynamic_cast<TMetafile*>(Emf.Graphic()), nullptr);
    EXPECT_TRUE(static_cast<TMetafile*>(Emf.Graphic())->Enhanced());
    EXPECT_NEAR(Emf.Width(), 100, 2);
    EXPECT_NEAR(Emf.Height(), 50, 2);
    ExpectHalves(Emf);

    SavePlaceable("images/halves.wmf");
    TPicture Wmf;
    Wmf.LoadFromFile("images/halves.wmf");
    EXPECT_FALSE(static_cast<TMetafile*>(Wmf.Graphic())->Enhanced());
    EXPECT_EQ(Wmf.Width(), 100);
    EXPECT_EQ(Wmf.Height(), 50);
    ExpectHalves(Wmf);

    TPicture Copy;
    Copy.Assign(Wmf);
    EXPECT_NE(Copy.Graphic(), Wmf.Graphic());
    ExpectHalves(Copy);
}

TEST(Picture, BadFilesRaiseNamingTheFile)
{
    TPicture P;
    P.LoadFromFile("images/t24.bmp");
    const TGraphic* Before = P.Graphic();
    auto MessageOf = [&](const std::string& File) -> std::string {
        try {
            P.LoadFromFile(File);
        } catch (const Exception& E) {
            return E.Message();
        }
        return "no exception";
    };
    EXPECT_NE(MessageOf("images/source.ppm").find("images/source.ppm"), std::string::npos);
    EXPECT_NE(MessageOf("images/missing.jpg").find("images/missing.jpg"), std::string::npos);
    EXPECT_THROW(P.LoadFromFile("images/missing.jpg"), EFOpenError);
    EXPECT_THROW(P.LoadFromFile("images/damaged.jpg"), EInvalidGraphic);
    EXPECT_NE(MessageOf("images/damaged.jpg").find("damaged.jpg"), std::string::npos);
    EXPECT_THROW(P.LoadFromFile("images/t24.ico"), EInvalidGraphic) << "a bitmap called an icon";
    EXPECT_THROW(P.LoadFromFile("images/t24.emf"), EInvalidGraphic);
    SaveEnhanced("images/whole.emf");
    SaveFirstHalf("images/whole.emf", "images/cut.emf");
    EXPECT_THROW(P.LoadFromFile("images/cut.emf"), EInvalidGraphic);
    SavePlaceable("images/whole.wmf");
    SaveFirstHalf("images/whole.wmf", "images/cut.wmf");
    EXPECT_THROW(P.LoadFromFile("images/cut.wmf"), EInvalidGraphic);
    EXPECT_EQ(P.Graphic(), Before) << "a failed load keeps the picture";
    P.Bitmap();
    EXPECT_EQ(P.Graphic(), Before) << "already a bitmap";
}
