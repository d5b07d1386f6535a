#include "framework/graphics/PngFile.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

uint32_t Crc32(const uint8_t* Data, size_t Size, uint32_t Crc = 0) {
  static uint32_t Table[256];
  static bool Ready = false;
  if (!Ready) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      Table[n] = c;
    }
    Ready = true;
  }
  Crc = ~Crc;
  for (size_t i = 0; i < Size; ++i) Crc = Table[(Crc ^ Data[i]) & 0xFF] ^ (Crc >> 8);
  return ~Crc;
}

void PutBig32(std::vector<uint8_t>& Out, uint32_t V) {
  for (int Shift = 24; Shift >= 0; Shift -= 8) Out.push_back(uint8_t(V >> Shift));
}

void PutChunk(std::vector<uint8_t>& Out, const char* Type, const std::vector<uint8_t>& Body) {
  PutBig32(Out, uint32_t(Body.size()));
  size_t Start = Out.size();
  Out.insert(Out.end(), Type, Type + 4);
  Out.insert(Out.end(), Body.begin(), Body.end());
  PutBig32(Out, Crc32(Out.data() + Start, Out.size() - Start));
}

// A zlib stream of stored (uncompressed) deflate blocks: captures are small, speed is moot.
std::vector<uint8_t> ZlibStore(const std::vector<uint8_t>& Raw) {
  std::vector<uint8_t> Z = {0x78, 0x01};
  size_t Pos = 0;
  do {
    size_t Len = std::min<size_t>(65535, Raw.size() - Pos);
    bool Last = Pos + Len == Raw.size();
    Z.push_back(Last ? 1 : 0);
    Z.push_back(uint8_t(Len));
    Z.push_back(uint8_t(Len >> 8));
    Z.push_back(uint8_t(~Len));
    Z.push_back(uint8_t(~Len >> 8));
    Z.insert(Z.end(), Raw.begin() + Pos, Raw.begin() + Pos + Len);
    Pos += Len;
  } while (Pos < Raw.size());
  uint32_t A = 1, B = 0;
  for (uint8_t Byte : Raw) {
    A = (A + Byte) % 65521;
    B = (B + A) % 65521;
  }
  PutBig32(Z, (B << 16) | A);
  return Z;
}

}  // namespace

std::vector<uint8_t> EncodePng(int Width, int Height, const std::vector<uint8_t>& Rgb) {
  if (Width <= 0 || Height <= 0 || Rgb.size() != size_t(Width) * Height * 3)
    throw std::invalid_argument("EncodePng: pixel buffer does not match the size");
  std::vector<uint8_t> Out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> Header;
  PutBig32(Header, uint32_t(Width));
  PutBig32(Header, uint32_t(Height));
  Header.insert(Header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(Out, "IHDR", Header);
  std::vector<uint8_t> Raw;
  Raw.reserve(size_t(Height) * (size_t(Width) * 3 + 1));
  for (int y = 0; y < Height; ++y) {
    Raw.push_back(0);  // filter: none
    auto Row = Rgb.begin() + size_t(y) * Width * 3;
    Raw.insert(Raw.end(), Row, Row + size_t(Width) * 3);
  }
  PutChunk(Out, "IDAT", ZlibStore(Raw));
  PutChunk(Out, "IEND", {});
  return Out;
}

bool WritePngFile(const std::string& Path, int Width, int Height, const std::vector<uint8_t>& Rgb) {
  std::vector<uint8_t> Bytes = EncodePng(Width, Height, Rgb);
  FILE* F = std::fopen(Path.c_str(), "wb");
  if (!F) return false;
  bool Ok = std::fwrite(Bytes.data(), 1, Bytes.size(), F) == Bytes.size();
  return std::fclose(F) == 0 && Ok;
}
