#pragma once
// Test helpers: the bytes of a picture file made by the build, and ImageMagick's own
// reading of a picture as a binary PPM (the reference the readers are compared with).

#include <cstdint>
#include <string>
#include <vector>

std::vector<uint8_t> ReadPictureFile(const std::string& Path);

struct TPpm {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // 0x00RRGGBB, rows top-down
};

TPpm ReadPpm(const std::string& Path);
