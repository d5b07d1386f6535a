#pragma once
// LZHUF decoder: LZSS over a 4096-byte ring with adaptive Huffman literals/lengths and
// prefix-coded match positions. Skins are stored this way; the program only decodes.
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/Object.h"
#include "framework/core/Stream.h"

PANTREL_EXCEPTION(ElzhException, Exception);

// Constants of the scheme.
constexpr int LZH_N = 4096;                          // ring buffer size
constexpr int LZH_F = 60;                            // longest match
constexpr int LZH_THRESHOLD = 2;                     // matches are at least 3 bytes
constexpr int LZH_N_CHAR = 256 - LZH_THRESHOLD + LZH_F;  // 314 symbols
constexpr int LZH_T = 2 * LZH_N_CHAR - 1;            // 627 tree nodes
constexpr int LZH_R = LZH_T - 1;                     // root
constexpr unsigned LZH_MAX_FREQ = 0x8000;            // rebuild the tree at this root count
constexpr int LZHShortRun = 16;                      // runs of equal counts searched at once
constexpr int LZHStepBits = 7;                       // tree levels the decoder looks up at once

// The adaptive Huffman tree: the working tables of one coding run. The encoder of the skin
// tools drives the same tree, so both sides stay in step.
struct TLZHTables {
    uint16_t Freq[LZH_T + LZHShortRun + 1];  // from T on: 0xFFFF sentinels
    int16_t Prnt[LZH_T + LZH_N_CHAR]; // from T on: the leaf node of each symbol
    int16_t Son[LZH_T];               // >= T: leaf of symbol (value - T)

    // The decoder's shortcut through the tree's top: for each value of the next
    // LZHStepBits bits, the nodes a walk from the root passes within them, up to a leaf
    // (Bits 0: not known yet). A step stays right while the nodes it passed keep their
    // children, and one that ended at a leaf while that leaf keeps its place; each such
    // node records the span of steps passing it (those sharing the bits that lead
    // there), which are forgotten when the node is swapped.
    struct TStep {
        int16_t Path[LZHStepBits + 1];  // Path[0] is the root, Path[Bits] the last node
        uint8_t Bits;
    };
    struct TSpan {
        uint16_t First, Count;
    };
    TStep Steps[1 << LZHStepBits];
    TSpan Through[LZH_T];

    void StartHuff();
    void UpdateFreq(int Symbol);
    // The same update when the decoder knows the leaf's path: Path[0] is the root,
    // Path[Depth] the leaf of Symbol.
    void UpdateFreq(int Symbol, const int16_t* Path, int Depth);
    void Reconstruct();
    // The step for the next LZHStepBits bits, walked and recorded when not known.
    const TStep& Step(unsigned NextBits);

private:
    void ForgetSteps();
    void ForgetStepsThrough(int Node);
    // Carries an update on from node C, whose count has just become K, up to the root
    // by the parent links: a node whose count broke the order first swaps places with
    // the last node of its old count, then its parent is counted.
    void ClimbLinks(int C, unsigned K);
};

// Fixed position tables: for a first byte i, DCode[i] is the upper six bits of the match
// position and DLen[i] the length in bits of its prefix code.
struct TLZHPositionTables {
    uint8_t DCode[256];
    uint8_t DLen[256];
};

constexpr TLZHPositionTables MakeLZHPositionTables()
{
    TLZHPositionTables Tables{};
    // Runs of equal codes: (entries per code, number of codes, code length in bits).
    constexpr int Runs[6][3] = {{32, 1, 3}, {16, 3, 4}, {8, 8, 5}, {4, 12, 6}, {2, 24, 7}, {1, 16, 8}};
    int I = 0, Code = 0;
    for (const auto& Run : Runs)
        for (int C = 0; C < Run[1]; ++C, ++Code)
            for (int E = 0; E < Run[0]; ++E, ++I) {
                Tables.DCode[I] = uint8_t(Code);
                Tables.DLen[I] = uint8_t(Run[2]);
            }
    return Tables;
}

inline constexpr TLZHPositionTables LZHPositions = MakeLZHPositionTables();

class TLZH : public TObject {
    PANTREL_CLASS(TLZH, TObject)
public:
    // Transfer operations: (buffer, count) -> count actually transferred.
    using TReadOperation = std::function<int(uint8_t* Buffer, int Count)>;
    using TWriteOperation = std::function<int(const uint8_t* Buffer, int Count)>;

    TStream* InputStream = nullptr;   // borrowed
    TStream* OutputStream = nullptr;  // borrowed

    // Decodes until Size bytes have been produced (the last match is written whole, so a
    // few bytes more may come out). Input that ends early reads as zero bits. The transfer
    // operations are called with blocks; a short read marks the end of the input.
    void Decode(int32_t Size, const TReadOperation& Read, const TWriteOperation& Write);

    // Stream-backed transfer operations over InputStream / OutputStream.
    int ReadBytes(uint8_t* Buffer, int Count);
    int WriteBytes(const uint8_t* Buffer, int Count);
};

// Decodes a whole compressed stream held in memory: its 4-byte size, then the coded bits.
std::vector<uint8_t> LZHDecodeBuffer(const std::vector<uint8_t>& Stream);
