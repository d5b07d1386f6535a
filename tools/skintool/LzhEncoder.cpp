#include "tools/skintool/LzhEncoder.h"

#include <algorithm>
#include <stdexcept>

TLzhEncoder::TLzhEncoder(int32_t DeclaredSize) : Tables(new TLZHTables)
{
    Tables->StartHuff();
    const uint32_t Size = uint32_t(DeclaredSize);
    for (int I = 0; I < 4; ++I)
        Out.push_back(uint8_t(Size >> (8 * I)));
}

void TLzhEncoder::PutBits(uint32_t Bits, int Count)
{
    for (int I = Count - 1; I >= 0; --I) {
        BitAcc = (BitAcc << 1) | ((Bits >> I) & 1);
        if (++BitCount == 8) {
            Out.push_back(uint8_t(BitAcc));
            BitAcc = 0;
            BitCount = 0;
        }
    }
}

void TLzhEncoder::PutSymbol(int Symbol)
{
    // The code is the path from the root to the symbol's leaf: collect it leaf first.
    uint8_t Path[LZH_T];
    int Depth = 0;
    for (int Node = Tables->Prnt[Symbol + LZH_T]; Node != LZH_R;) {
        const int Parent = Tables->Prnt[Node];
        Path[Depth++] = uint8_t(Node - Tables->Son[Parent]);
        Node = Parent;
    }
    while (Depth > 0)
        PutBits(Path[--Depth], 1);
    Tables->UpdateFreq(Symbol);
}

void TLzhEncoder::PutLiteral(uint8_t Byte)
{
    PutSymbol(Byte);
}

void TLzhEncoder::PutMatch(int Distance, int Length)
{
    if (Distance < 1 || Distance > LZH_N || Length < LZH_THRESHOLD + 1 || Length > LZH_F)
        throw std::invalid_argument("LZH match out of range");
    PutSymbol(Length + 255 - LZH_THRESHOLD);
    const int Position = Distance - 1;
    const int Upper = Position >> 6;
    // The prefix code of the upper bits is the leading bits of any first byte mapping to it.
    int First = 0;
    while (LZHPositions.DCode[First] != Upper)
        ++First;
    const int Len = LZHPositions.DLen[First];
    PutBits(uint32_t(First >> (8 - Len)), Len);
    PutBits(uint32_t(Position & 0x3F), 6);
}

std::vector<uint8_t> TLzhEncoder::Finish()
{
    if (BitCount > 0)
        PutBits(0, 8 - BitCount);
    return std::move(Out);
}

std::vector<uint8_t> TLzhEncoder::Encode(const std::string& Data)
{
    if (Data.size() > size_t(INT32_MAX))
        throw std::invalid_argument("data too large for an LZH stream");
    // Matches are searched in the history as the decoder sees it: 4036 spaces, then the data.
    const int64_t Start = LZH_N - LZH_F;
    const std::string Text = std::string(size_t(Start), ' ') + Data;
    const int64_t Total = int64_t(Text.size());
    constexpr int HashBits = 15, MaxChain = 96;
    std::vector<int64_t> Head(size_t(1) << HashBits, -1);
    std::vector<int64_t> Prev(size_t(Total), -1);
    auto Hash = [&](int64_t P) {
        const auto B = [&](int64_t I) { return unsigned(uint8_t(Text[size_t(I)])); };
        return ((B(P) << 10) ^ (B(P + 1) << 5) ^ B(P + 2)) & ((1u << HashBits) - 1);
    };
    auto Insert = [&](int64_t P) {
        if (P + 2 >= Total)
            return;
        const unsigned H = Hash(P);
        Prev[size_t(P)] = Head[H];
        Head[H] = P;
    };
    for (int64_t P = 0; P < Start; ++P)
        Insert(P);

    TLzhEncoder Encoder(int32_t(Data.size()));
    for (int64_t Pos = Start; Pos < Total;) {
        const int MaxLen = int(std::min<int64_t>(LZH_F, Total - Pos));
        int BestLen = 0;
        int64_t BestDist = 0;
        if (MaxLen > LZH_THRESHOLD) {
            int Chain = MaxChain;
            for (int64_t S = Head[Hash(Pos)]; S >= 0 && Chain-- > 0; S = Prev[size_t(S)]) {
                if (Pos - S > LZH_N)
                    break;
                int Len = 0;
                while (Len < MaxLen && Text[size_t(S + Len)] == Text[size_t(Pos + Len)])
                    ++Len;
                if (Len > BestLen) {
                    BestLen = Len;
                    BestDist = Pos - S;
                    if (Len == MaxLen)
                        break;
                }
            }
        }
        if (BestLen > LZH_THRESHOLD) {
            Encoder.PutMatch(int(BestDist), BestLen);
            for (int K = 0; K < BestLen; ++K)
                Insert(Pos + K);
            Pos += BestLen;
        } else {
            Encoder.PutLiteral(uint8_t(Text[size_t(Pos)]));
            Insert(Pos);
            ++Pos;
        }
    }
    return Encoder.Finish();
}
