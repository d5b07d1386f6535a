#pragma once
// LZH encoder for the skin tools (never part of the program, which only decodes): LZSS
// matches over the same 4096-byte window, coded with the decoder's adaptive Huffman tree.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/LZH.h"

class TLzhEncoder {
public:
    // Starts a stream whose header declares DeclaredSize uncompressed bytes.
    explicit TLzhEncoder(int32_t DeclaredSize);

    // Symbol-level output, for the compressor and for tests that need exact streams.
    void PutLiteral(uint8_t Byte);
    // A copy of Length (3..60) bytes starting Distance (1..4096) bytes back; the window
    // starts out holding 4036 spaces.
    void PutMatch(int Distance, int Length);
    // Pads the last byte with zero bits and returns the whole stream.
    std::vector<uint8_t> Finish();

    // Compresses Data into a complete stream declaring Data's size.
    static std::vector<uint8_t> Encode(const std::string& Data);

private:
    std::unique_ptr<TLZHTables> Tables;
    std::vector<uint8_t> Out;
    uint32_t BitAcc = 0;
    int BitCount = 0;

    void PutBits(uint32_t Bits, int Count);
    void PutSymbol(int Symbol);
};
