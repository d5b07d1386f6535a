#include "skin/data/LZH.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

PANTREL_REGISTER(TLZH, TObject)

void TLZHTables::StartHuff()
{
    for (int I = 0; I < LZH_N_CHAR; ++I) {
        Freq[I] = 1;
        Son[I] = int16_t(I + LZH_T);
        Prnt[I + LZH_T] = int16_t(I);
    }
    for (int I = 0, J = LZH_N_CHAR; J <= LZH_R; I += 2, ++J) {
        Freq[J] = uint16_t(Freq[I] + Freq[I + 1]);
        Son[J] = int16_t(I);
        Prnt[I] = Prnt[I + 1] = int16_t(J);
    }
    for (int I = LZH_T; I < LZH_T + LZHRunWindow; ++I)
        Freq[I] = 0xFFFF;
    Prnt[LZH_R] = 0;
    ShapeChanged = true;
}

void TLZHTables::Reconstruct()
{
    ShapeChanged = true;
    // Keep the leaves, with halved counts, at the bottom.
    int J = 0;
    for (int I = 0; I < LZH_T; ++I)
        if (Son[I] >= LZH_T) {
            Freq[J] = uint16_t((Freq[I] + 1) / 2);
            Son[J] = Son[I];
            ++J;
        }
    // Pair them up again, inserting each new inner node at its sorted place.
    for (int I = 0, J = LZH_N_CHAR; J < LZH_T; I += 2, ++J) {
        const unsigned F = unsigned(Freq[I]) + Freq[I + 1];
        int K = J - 1;
        while (F < Freq[K])
            --K;
        ++K;
        const size_t Moved = size_t(J - K);
        std::memmove(&Freq[K + 1], &Freq[K], Moved * sizeof(Freq[0]));
        std::memmove(&Son[K + 1], &Son[K], Moved * sizeof(Son[0]));
        Freq[K] = uint16_t(F);
        Son[K] = int16_t(I);
    }
    for (int I = 0; I < LZH_T; ++I) {
        const int K = Son[I];
        if (K >= LZH_T)
            Prnt[K] = int16_t(I);
        else
            Prnt[K] = Prnt[K + 1] = int16_t(I);
    }
}

// Freq is sorted from every node up to the sentinels, so the nodes after C that are below
// K form a run; it is counted without branches over a short window (runs are short), and
// longer runs are galloped through.
static inline int LastBelow(const uint16_t* Freq, int C, unsigned K)
{
    int Run = 0;
    for (int I = 1; I <= LZHRunWindow; ++I)
        Run += Freq[C + I] < K;
    if (Run < LZHRunWindow)
        return C + Run;
    int Lo = C + LZHRunWindow, Hi, Step = 1;  // Freq[Lo] < K
    for (;;) {
        Hi = Lo + Step;
        if (Hi >= LZH_T) {
            Hi = LZH_T;  // the sentinel is never below K
            break;
        }
        if (Freq[Hi] >= K)
            break;
        Lo = Hi;
        Step <<= 1;
    }
    while (Hi - Lo > 1) {
        const int Mid = (Lo + Hi) / 2;
        if (Freq[Mid] < K)
            Lo = Mid;
        else
            Hi = Mid;
    }
    return Lo;
}

void TLZHTables::UpdateFreq(int Symbol)
{
    if (Freq[LZH_R] == LZH_MAX_FREQ)
        Reconstruct();
    int C = Prnt[Symbol + LZH_T];
    do {
        const unsigned K = ++Freq[C];
        if (K > Freq[C + 1]) {
            // The order broke: swap this node with the last one of its old count.
            const int L = LastBelow(Freq, C, K);
            Freq[C] = Freq[L];
            Freq[L] = uint16_t(K);
            const int I = Son[C];
            Prnt[I] = int16_t(L);
            if (I < LZH_T) {
                Prnt[I + 1] = int16_t(L);
                ShapeChanged = true;
            }
            const int J = Son[L];
            Son[L] = int16_t(I);
            Prnt[J] = int16_t(C);
            if (J < LZH_T) {
                Prnt[J + 1] = int16_t(C);
                ShapeChanged = true;
            }
            Son[C] = int16_t(J);
            C = L;
        }
        C = Prnt[C];
    } while (C != 0);
}

namespace {

constexpr int LZHBlockSize = 1 << 16;

// One decoding run: the tables, the bit reader over blocks of input and the output block.
struct TLZHRun {
    TLZHTables Tables;
    const TLZH::TReadOperation& Read;
    const TLZH::TWriteOperation& Write;

    // The next bit is the top bit of BitBuf; BitLen bits are valid.
    uint64_t BitBuf = 0;
    unsigned BitLen = 0;
    const uint8_t* InCur = nullptr;
    const uint8_t* InEnd = nullptr;
    bool InputEnded = false;
    uint8_t InBlock[LZHBlockSize];

    int OutLen = 0;
    uint8_t OutBlock[LZHBlockSize + LZH_F];

    TLZHRun(const TLZH::TReadOperation& R, const TLZH::TWriteOperation& W) : Read(R), Write(W) {}

    bool FillInput()
    {
        if (InputEnded)
            return false;
        const int Got = Read(InBlock, LZHBlockSize);
        if (Got < LZHBlockSize)
            InputEnded = true;
        if (Got <= 0)
            return false;
        InCur = InBlock;
        InEnd = InBlock + Got;
        return true;
    }

    // Tops the bit buffer up to at least 57 valid bits; past the input's end with zeros.
    void Refill()
    {
        if (InEnd - InCur >= 8) {
            uint64_t Next = 0;
            for (int I = 0; I < 8; ++I)
                Next = (Next << 8) | InCur[I];
            // Bits beyond the whole bytes taken are the same ones the next refill ORs in.
            BitBuf |= Next >> BitLen;
            const unsigned Take = (63 - BitLen) >> 3;
            InCur += Take;
            BitLen += Take * 8;
            return;
        }
        while (BitLen <= 56) {
            uint64_t Byte = 0;
            if (InCur != InEnd || FillInput())
                Byte = *InCur++;
            BitBuf |= Byte << (56 - BitLen);
            BitLen += 8;
        }
    }

    // The walk's first eight steps for every value of the next eight bits: the node
    // reached (whose child value is then read) and the bits used. Nodes keep their places
    // while the tree keeps its shape (swapped leaves only exchange symbols), so the table
    // stays valid until an inner node moves. A stale table is rebuilt after TopGap more
    // symbols, walked bit by bit meanwhile; the gap grows while tables go stale before
    // they have paid for themselves (streams whose tree keeps changing shape).
    struct TTopStep {
        int16_t Node;
        uint8_t Bits;
    };
    static constexpr int TopMinGap = 32, TopMaxGap = 8192, TopPaidUses = 128;
    TTopStep Top[256];
    bool TopValid = false;
    int TopUses = 0;
    int TopGap = TopMinGap;
    int SinceTopStale = TopMinGap;

    void BuildTop()
    {
        for (unsigned B = 0; B < 256; ++B) {
            int Node = 0, C = Tables.Son[LZH_R];
            unsigned K = 0;
            while (C < LZH_T && K < 8) {
                Node = C + int((B >> (7 - K)) & 1);
                C = Tables.Son[Node];
                ++K;
            }
            Top[B] = {int16_t(Node), uint8_t(K)};
        }
        Tables.ShapeChanged = false;
        TopValid = true;
        TopUses = 0;
    }

    int DecodeChar()
    {
        // A Huffman tree whose root count stays below 0x8000 is at most 22 levels deep, so
        // 40 bits are always enough for one symbol.
        if (BitLen < 40)
            Refill();
        if (Tables.ShapeChanged) {
            if (TopValid) {
                TopValid = false;
                TopGap = TopUses < TopPaidUses ? std::min(TopGap * 2, TopMaxGap) : TopMinGap;
                SinceTopStale = 0;
            }
            if (++SinceTopStale >= TopGap)
                BuildTop();
        }
        uint64_t Bits = BitBuf;
        unsigned Used = 0;
        int C = Tables.Son[LZH_R];
        if (TopValid) {
            const TTopStep Step = Top[Bits >> 56];
            C = Tables.Son[Step.Node];
            Used = Step.Bits;
            Bits <<= Used;
            ++TopUses;
        }
        while (C < LZH_T) {
            C = Tables.Son[C + int(Bits >> 63)];
            Bits <<= 1;
            ++Used;
        }
        BitBuf = Bits;
        BitLen = Used < BitLen ? BitLen - Used : 0;
        C -= LZH_T;
        Tables.UpdateFreq(C);
        return C;
    }

    int DecodePosition()
    {
        if (BitLen < 14)
            Refill();
        const unsigned First = unsigned(BitBuf >> 56);
        const unsigned Bits = LZHPositions.DLen[First] + 6u;  // prefix code and low six bits
        const unsigned Low = unsigned(BitBuf >> (64 - Bits)) & 0x3F;
        BitBuf <<= Bits;
        BitLen -= Bits;
        return int(LZHPositions.DCode[First]) << 6 | int(Low);
    }

    void FlushOutput()
    {
        if (OutLen > 0)
            Write(OutBlock, OutLen);
        OutLen = 0;
    }

    void Run(int32_t Size)
    {
        Tables.StartHuff();
        std::memset(Tables.TextBuf, ' ', sizeof(Tables.TextBuf));
        uint8_t* const Ring = Tables.TextBuf;
        unsigned R = LZH_N - LZH_F;
        int64_t Count = 0;
        while (Count < Size) {
            const int C = DecodeChar();
            if (C < 256) {
                Ring[R] = uint8_t(C);
                R = (R + 1) & (LZH_N - 1);
                OutBlock[OutLen++] = uint8_t(C);
                ++Count;
            } else {
                const unsigned Distance = unsigned(DecodePosition()) + 1;  // 1 to 4096
                const unsigned From = (R - Distance) & (LZH_N - 1);
                const int Length = C - 255 + LZH_THRESHOLD;
                if (Distance >= unsigned(Length) && From + unsigned(Length) <= LZH_N &&
                    R + unsigned(Length) <= LZH_N) {
                    // Neither end wraps and the copy never reads what it writes: one block.
                    std::memmove(Ring + R, Ring + From, size_t(Length));
                    std::memcpy(OutBlock + OutLen, Ring + R, size_t(Length));
                    R = (R + unsigned(Length)) & (LZH_N - 1);
                } else {
                    for (int K = 0; K < Length; ++K) {
                        const uint8_t Byte = Ring[(From + unsigned(K)) & (LZH_N - 1)];
                        Ring[R] = Byte;
                        R = (R + 1) & (LZH_N - 1);
                        OutBlock[OutLen + K] = Byte;
                    }
                }
                OutLen += Length;
                Count += Length;
            }
            if (OutLen >= LZHBlockSize)
                FlushOutput();
        }
        FlushOutput();
    }
};

}  // namespace

void TLZH::Decode(int32_t Size, const TReadOperation& Read, const TWriteOperation& Write)
{
    std::unique_ptr<TLZHRun> Run(new (std::nothrow) TLZHRun(Read, Write));
    if (!Run)
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    Run->Run(Size);
}

int TLZH::ReadBytes(uint8_t* Buffer, int Count)
{
    return int(InputStream->Read(Buffer, Count));
}

int TLZH::WriteBytes(const uint8_t* Buffer, int Count)
{
    OutputStream->Write(Buffer, Count);
    return Count;
}

std::vector<uint8_t> LZHDecodeBuffer(const std::vector<uint8_t>& Stream)
{
    if (Stream.size() < 4)
        throw ElzhException("LZH : the stream is shorter than its 4-byte size");
    int32_t Size;
    std::memcpy(&Size, Stream.data(), 4);
    size_t At = 4;
    std::vector<uint8_t> Out;
    TLZH Codec;
    Codec.Decode(
        Size,
        [&](uint8_t* Buffer, int Count) {
            const size_t Got = std::min(size_t(Count), Stream.size() - At);
            std::memcpy(Buffer, Stream.data() + At, Got);
            At += Got;
            return int(Got);
        },
        [&](const uint8_t* Buffer, int Count) {
            Out.insert(Out.end(), Buffer, Buffer + Count);
            return Count;
        });
    return Out;
}
