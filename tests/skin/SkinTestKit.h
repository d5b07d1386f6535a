#pragma once
// Skins made in memory for the tests: patterned bitmaps, containers and compressed skins.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/graphics/BmpFile.h"
#include "tools/skintool/LzhEncoder.h"
#include "tools/skintool/SkinContainer.h"

// Pixel (x, y) of a test bitmap: distinct for every position and seed.
inline uint32_t TestPixel(int X, int Y, int Seed)
{
    return uint32_t((X * 7 + Seed * 31) & 0xFF) | uint32_t((Y * 13 + Seed) & 0xFF) << 8 |
           uint32_t((X + Y + Seed * 5) & 0xFF) << 16;
}

// A 24-bit BMP file of TestPixel colours.
inline std::string TestBmp(int Width, int Height, int Seed = 0)
{
    TPixelImage Image;
    Image.Allocate(Width, Height, 24);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const uint32_t C = TestPixel(X, Y, Seed);
            uint8_t* P = Image.Row(Y) + 3 * X;
            P[0] = uint8_t(C);
            P[1] = uint8_t(C >> 8);
            P[2] = uint8_t(C >> 16);
        }
    const auto Bytes = WriteBmpFile(Image);
    return std::string(Bytes.begin(), Bytes.end());
}

// The compressed skin file of a container.
inline std::string PackSkin(const TSkinContainer& Container)
{
    const auto Stream = TLzhEncoder::Encode(Container.Build());
    return std::string(Stream.begin(), Stream.end());
}

inline std::string PackSkin(const std::string& Description, const std::vector<TSkinEntry>& Bitmaps = {},
                            int32_t Mark = 20000)
{
    TSkinContainer C;
    C.Mark = Mark;
    C.Entries.push_back({"skin.ini", Description});
    for (const auto& B : Bitmaps)
        C.Entries.push_back(B);
    return PackSkin(C);
}

// A root for test designs holding a skin component.
class TSkinRoot : public TComponent {
    PANTREL_CLASS(TSkinRoot, TComponent)
    using TComponent::TComponent;
};

// A design of a TSkinRoot with one TSkinData "SkinData1" storing File.
std::string SkinDesign(const std::string& File, bool Active = true);
