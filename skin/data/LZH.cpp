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
    std::fill(std::begin(Freq) + LZH_T, std::end(Freq), 0xFFFF);
    Prnt[LZH_R] = 0;
    ForgetSteps();
}

void TLZHTables::Reconstruct()
{
    ForgetSteps();
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

void TLZHTables::ForgetSteps()
{
    std::fill(std::begin(Steps), std::end(Steps), TStep{});
    std::fill(std::begin(Through), std::end(Through), TSpan{0, 0});
}

void TLZHTables::ForgetStepsThrough(int Node)
{
    TSpan& Span = Through[Node];
    for (int I = 0; I < Span.Count; ++I)
        Steps[Span.First + I].Bits = 0;
    Span.Count = 0;
}

const TLZHTables::TStep& TLZHTables::Step(unsigned NextBits)
{
    TStep& Known = Steps[NextBits];
    if (Known.Bits == 0) {
        // The steps sharing the first K bits of NextBits.
        auto SpanOf = [NextBits](unsigned K) {
            const unsigned Shared = LZHStepBits - K;
            return TSpan{uint16_t(NextBits >> Shared << Shared), uint16_t(1u << Shared)};
        };
        // The root always has children, so a walked step takes at least one bit.
        int Node = LZH_R;
        unsigned K = 0;
        Known.Path[0] = int16_t(Node);
        while (Son[Node] < LZH_T && K < LZHStepBits) {
            Through[Node] = SpanOf(K);
            Node = Son[Node] + int((NextBits >> (LZHStepBits - 1 - K)) & 1);
            Known.Path[++K] = int16_t(Node);
        }
        Known.Bits = uint8_t(K);
        if (K < LZHStepBits) {
            // A walk that ended early ended at a leaf: it is the step of every value
            // sharing its bits, until another node takes the leaf's place.
            const TSpan Span = SpanOf(K);
            Through[Node] = Span;
            const TStep Walked = Known;
            std::fill(Steps + Span.First, Steps + Span.First + Span.Count, Walked);
        }
    }
    return Known;
}

// The last node after C whose count is still below K. Freq is sorted up to the sentinels
// from T on, so such nodes form a run: short runs are counted without branches, longer
// ones searched with doubling steps, then halving ones.
static int EndOfRun(const uint16_t* Freq, int C, unsigned K)
{
    int Run = 0;
    for (int I = 2; I < 2 + LZHShortRun; ++I)
        Run += Freq[C + I] < K;
    int Lo = C + 1 + Run;  // Freq[Lo] < K
    if (Run < LZHShortRun)
        return Lo;
    int Step = 1;
    while (Lo + Step < LZH_T && Freq[Lo + Step] < K) {
        Lo += Step;
        Step *= 2;
    }
    int Hi = std::min(Lo + Step, LZH_T);  // Freq[Hi] >= K
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
    const int Leaf = Prnt[Symbol + LZH_T];
    ClimbLinks(Leaf, ++Freq[Leaf]);
}

void TLZHTables::UpdateFreq(int Symbol, const int16_t* Path, int Depth)
{
    if (Freq[LZH_R] == LZH_MAX_FREQ) {
        UpdateFreq(Symbol);  // the rebuilt tree has other paths
        return;
    }
    // Up the path while the counts stay in order: the parents are known without links.
    int I = Depth;
    unsigned K;
    while ((K = ++Freq[Path[I]]) <= Freq[Path[I] + 1]) {
        if (I == 0)
            return;
        --I;
    }
    ClimbLinks(Path[I], K);
}

void TLZHTables::ClimbLinks(int C, unsigned K)
{
    for (;;) {
        if (K > Freq[C + 1]) {
            // The order broke: swap this node with the last one of its old count.
            const int L = EndOfRun(Freq, C, K);
            ForgetStepsThrough(C);
            ForgetStepsThrough(L);
            Freq[C] = Freq[L];
            Freq[L] = uint16_t(K);
            // An inner node's two children both get the new parent; a leaf has one
            // entry, which is then simply written twice.
            const int S = Son[C];
            Prnt[S] = int16_t(L);
            Prnt[S < LZH_T ? S + 1 : S] = int16_t(L);
            const int J = Son[L];
            Son[L] = int16_t(S);
            Prnt[J] = int16_t(C);
            Prnt[J < LZH_T ? J + 1 : J] = int16_t(C);
            Son[C] = int16_t(J);
            C = L;
        }
        C = Prnt[C];
        if (C == 0)
            return;
        K = ++Freq[C];
    }
}

namespace {

constexpr int LZHBlockSize = 1 << 16;
constexpr int LZHLongestCopy = 64;  // a far match is copied in four 16-byte moves
// A close match is stored in 16-byte moves too, the last one starting before its end.
constexpr int LZHCopyOverrun = LZH_F - 1 + 16;

// One decoding run: the tree, a 64-bit bit reader over blocks of input, and the output
// block preceded by the last 4096 bytes written, which serve as the ring buffer: a match
// copies from behind the write position without wrapping.
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

    uint8_t OutBuf[LZH_N + LZHBlockSize + std::max(LZHLongestCopy, LZHCopyOverrun)];
    uint8_t* const BlockStart = OutBuf + LZH_N;
    uint8_t* Out = BlockStart;

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

    // A Huffman tree whose root count stays below 0x8000 is at most 22 levels deep and a
    // position takes at most 14 bits, so one refill serves a whole symbol.
    int DecodeChar()
    {
        const TLZHTables::TStep& Top = Tables.Step(unsigned(BitBuf >> (64 - LZHStepBits)));
        int16_t Path[LZH_N_CHAR];  // a tree of N_CHAR leaves is less deep than that
        std::memcpy(Path, Top.Path, sizeof(Top.Path));
        int Depth = Top.Bits;
        uint64_t Bits = BitBuf << Depth;
        int Node = Path[Depth];
        // One level more without a branch, as most longer codes end there.
        const bool Inner = Tables.Son[Node] < LZH_T;
        Node = Inner ? Tables.Son[Node] + int(Bits >> 63) : Node;
        Bits <<= int(Inner);
        Depth += int(Inner);
        Path[Depth] = int16_t(Node);
        while (Tables.Son[Node] < LZH_T) {
            Node = Tables.Son[Node] + int(Bits >> 63);
            Bits <<= 1;
            Path[++Depth] = int16_t(Node);
        }
        BitBuf = Bits;
        BitLen -= unsigned(Depth);
        const int C = Tables.Son[Node] - LZH_T;
        Tables.UpdateFreq(C, Path, Depth);
        return C;
    }

    int DecodePosition()
    {
        const unsigned First = unsigned(BitBuf >> 56);
        const unsigned Bits = LZHPositions.DLen[First] + 6u;  // prefix code and low six bits
        const unsigned Low = unsigned(BitBuf >> (64 - Bits)) & 0x3F;
        BitBuf <<= Bits;
        BitLen -= Bits;
        return int(LZHPositions.DCode[First]) << 6 | int(Low);
    }

    // Copies Length bytes from Distance bytes back; more may be written past the end,
    // which later output overwrites.
    void CopyMatch(unsigned Distance, int Length)
    {
        const uint8_t* From = Out - Distance;
        if (Distance >= 16) {
            for (int K = 0; K < LZHLongestCopy; K += 16)
                std::memcpy(Out + K, From + K, 16);
        } else {
            // A close copy repeats its first Distance bytes: lay 16 bytes of that pattern
            // out once and store them at whole periods.
            uint8_t Pattern[16];
            for (unsigned I = 0, J = 0; I < 16; ++I) {
                Pattern[I] = From[J];
                J = J + 1 == Distance ? 0 : J + 1;
            }
            const int Step = int(16 - 16 % Distance);
            for (int K = 0; K < Length; K += Step)
                std::memcpy(Out + K, Pattern, 16);
        }
        Out += Length;
    }

    // Writes the block and keeps its last 4096 bytes in front of the next one.
    void FlushOutput()
    {
        if (Out > BlockStart)
            Write(BlockStart, int(Out - BlockStart));
        std::memmove(OutBuf, Out - LZH_N, LZH_N);
        Out = BlockStart;
    }

    void Run(int32_t Size)
    {
        Tables.StartHuff();
        std::memset(OutBuf, ' ', LZH_N);  // the ring starts out as spaces
        int64_t Left = Size;
        while (Left > 0) {
            Refill();
            const int C = DecodeChar();
            if (C < 256) {
                *Out++ = uint8_t(C);
                --Left;
            } else {
                const int Length = C - 255 + LZH_THRESHOLD;
                CopyMatch(unsigned(DecodePosition()) + 1, Length);
                Left -= Length;
            }
            if (Out - BlockStart >= LZHBlockSize)
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
