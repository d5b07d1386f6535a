#include "tests/graphics/PictureFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

std::vector<uint8_t> ReadPictureFile(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        throw std::runtime_error("cannot open " + Path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

TPpm ReadPpm(const std::string& Path)
{
    const std::vector<uint8_t> Bytes = ReadPictureFile(Path);
    std::istringstream Head(std::string(Bytes.begin(), Bytes.begin() + std::min<size_t>(Bytes.size(), 64)));
    std::string Magic;
    int MaxValue = 0;
    TPpm P;
    Head >> Magic >> P.Width >> P.Height >> MaxValue;
    if (Magic != "P6" || MaxValue != 255)
        throw std::runtime_error(Path + " is not an 8-bit binary PPM");
    const size_t Start = size_t(Head.tellg()) + 1;
    if (Bytes.size() < Start + size_t(P.Width) * size_t(P.Height) * 3)
        throw std::runtime_error(Path + " is truncated");
    for (size_t I = 0; I < size_t(P.Width) * size_t(P.Height); ++I) {
        const uint8_t* Px = &Bytes[Start + 3 * I];
        P.Pixels.push_back(uint32_t(Px[0]) << 16 | uint32_t(Px[1]) << 8 | Px[2]);
    }
    return P;
}
