#pragma once
// Writing 24-bit PNG files from top-down RGB rows, so that screen copies can be opened by
// people and their viewers. Platform-neutral.
#include <cstdint>
#include <string>
#include <vector>

// Encodes width x height pixels (3 bytes each, R G B, rows top-down) as a PNG file image.
std::vector<uint8_t> EncodePng(int Width, int Height, const std::vector<uint8_t>& Rgb);
// Writes EncodePng's bytes to Path; false when the file cannot be written.
bool WritePngFile(const std::string& Path, int Width, int Height, const std::vector<uint8_t>& Rgb);
