// The LZH decoder against streams of our encoder and against the plain decoder.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "tests/skin/LZHOracle.h"
#include "tests/skin/SkinSamples.h"
#include "tools/skintool/LzhEncoder.h"

static std::vector<uint8_t> Decode(const std::vector<uint8_t>& Stream, int* ReadCalls = nullptr)
{
    int32_t Size = 0;
    std::memcpy(&Size, Stream.data(), 4);
    size_t At = 4;
    std::vector<uint8_t> Out;
    TLZH Codec;
    Codec.Decode(
        Size,
        [&](uint8_t* Buffer, int Count) {
            if (ReadCalls)
                ++*ReadCalls;
            const int Got = int(std::min(size_t(Count), Stream.size() - At));
            std::memcpy(Buffer, Stream.data() + At, size_t(Got));
            At += size_t(Got);
            return Got;
        },
        [&](const uint8_t* Buffer, int Count) {
            Out.insert(Out.end(), Buffer, Buffer + Count);
            return Count;
        });
    return Out;
}

static std::vector<uint8_t> Bytes(const std::string& S)
{
    return std::vector<uint8_t>(S.begin(), S.end());
}

TEST(LZH, RoundTripsOurStreamsLikeThePlainDecoder)
{
    std::mt19937 Rng(7);
    std::string Random(150000, '\0');  // far more than 32768 symbols: the tree is rebuilt
    for (auto& C : Random)
        C = char(Rng());
    std::string Window(4096, '\0');  // repeats at exactly the window's reach
    for (auto& C : Window)
        C = char(Rng());
    std::string AllBytes;
    for (int I = 0; I < 256 * 4; ++I)
        AllBytes += char(I * 7);
    const std::vector<std::string> Inputs = {
        "", "a", std::string(1000, ' ') + "x", std::string(200000, 'q'), TextLike(300000, 3),
        Random, Window + Window + Window.substr(0, 100), AllBytes,
        // The tree's shape first keeps changing, then settles, then changes again.
        TextLike(80000, 5) + Random.substr(0, 90000) + TextLike(80000, 6)};
    for (const auto& Input : Inputs) {
        const auto Stream = TLzhEncoder::Encode(Input);
        EXPECT_EQ(Decode(Stream), Bytes(Input)) << "input of " << Input.size() << " bytes";
        EXPECT_EQ(TLZHOracle::Decode(Stream), Bytes(Input));
    }
}

TEST(LZH, MatchesFromTheUnwrittenRingAreSpaces)
{
    TLzhEncoder E(70);
    E.PutMatch(1, 60);     // first symbol a match: nothing written yet
    E.PutMatch(4096, 10);  // the oldest ring position of all
    const auto Out = Decode(E.Finish());
    EXPECT_EQ(Out, Bytes(std::string(70, ' ')));
}

TEST(LZH, LastMatchIsWrittenWholeAndNothingAfterIt)
{
    TLzhEncoder E(5);
    E.PutLiteral('a');
    E.PutMatch(1, 60);
    E.PutLiteral('z');  // never reached: the size was passed inside the match
    EXPECT_EQ(Decode(E.Finish()), Bytes(std::string(61, 'a')));
}

TEST(LZH, NonPositiveSizeProducesNothingAndReadsNothing)
{
    for (int32_t Size : {0, -1, INT32_MIN}) {
        std::vector<uint8_t> Stream(4);
        std::memcpy(Stream.data(), &Size, 4);
        Stream.push_back(0xAB);
        int Reads = 0;
        EXPECT_TRUE(Decode(Stream, &Reads).empty());
        EXPECT_EQ(Reads, 0);
    }
}

TEST(LZH, TruncatedAndCorruptStreamsDecodeLikeThePlainDecoder)
{
    const std::string Text = TextLike(60000, 11);
    const auto Good = TLzhEncoder::Encode(Text);
    std::mt19937 Rng(3);
    std::vector<std::vector<uint8_t>> Bad;
    for (size_t Cut : {size_t(4), size_t(5), Good.size() / 3, Good.size() - 1})
        Bad.emplace_back(Good.begin(), Good.begin() + long(Cut));
    for (int I = 0; I < 20; ++I) {
        auto Flipped = Good;
        Flipped[4 + Rng() % (Flipped.size() - 4)] ^= uint8_t(1 << (Rng() % 8));
        Bad.push_back(Flipped);
    }
    for (int I = 0; I < 20; ++I) {
        std::vector<uint8_t> Noise(4 + Rng() % 3000);
        for (auto& B : Noise)
            B = uint8_t(Rng());
        const int32_t Size = int32_t(Rng() % 50000);
        std::memcpy(Noise.data(), &Size, 4);
        Bad.push_back(Noise);
    }
    for (const auto& Stream : Bad) {
        int32_t Size;
        std::memcpy(&Size, Stream.data(), 4);
        const auto Out = Decode(Stream);
        ASSERT_EQ(Out, TLZHOracle::Decode(Stream));
        EXPECT_GE(Out.size(), size_t(Size));
        EXPECT_LT(Out.size(), size_t(Size) + LZH_F);
    }
}

TEST(LZH, ShortStreamsReadAsZeroBits)
{
    // Nothing but a size: every bit is zero, so each symbol is the one at the all-zero path.
    std::vector<uint8_t> Stream = {0x10, 0x27, 0, 0};  // 10000 bytes wanted
    const auto Out = Decode(Stream);
    EXPECT_EQ(Out, TLZHOracle::Decode(Stream));
    EXPECT_GE(Out.size(), 10000u);
}

TEST(LZH, CloseMatchesRepeatTheirPeriod)
{
    // Every distance a copy overlaps itself at, with short, odd and longest lengths, each
    // after 17 fresh distinct bytes.
    std::string Expected;
    std::vector<std::pair<int, int>> Matches;  // (distance, length); 0 for a literal
    for (int Distance = 1; Distance <= 17; ++Distance) {
        for (int I = 0; I < 17; ++I) {
            Matches.emplace_back(0, 'a' + (Distance + I) % 26);
            Expected += char(Matches.back().second);
        }
        for (int Length : {3, 16, 17, 31, 59, 60}) {
            Matches.emplace_back(Distance, Length);
            for (int K = 0; K < Length; ++K)
                Expected += Expected[Expected.size() - size_t(Distance)];
        }
    }
    TLzhEncoder E(int32_t(Expected.size()));
    for (const auto& [Distance, Value] : Matches)
        if (Distance == 0)
            E.PutLiteral(uint8_t(Value));
        else
            E.PutMatch(Distance, Value);
    EXPECT_EQ(Decode(E.Finish()), Bytes(Expected));
}

// Symbol runs whose favourites keep changing, so nodes near the root keep trading places
// and, past 32768 symbols, the tree is rebuilt.
static std::vector<int> ShiftingSymbols(size_t Count)
{
    std::mt19937 Rng(5);
    std::vector<int> Symbols;
    while (Symbols.size() < Count) {
        const int Base = int(Rng() % LZH_N_CHAR), Spread = 1 + int(Rng() % 40);
        for (int I = 0; I < 500; ++I)
            Symbols.push_back((Base + int(Rng() % unsigned(Spread))) % LZH_N_CHAR);
    }
    return Symbols;
}

// The path of Symbol's leaf, root first, by the parent links.
static std::vector<int16_t> PathOf(const TLZHTables& Tables, int Symbol)
{
    std::vector<int16_t> Path;
    for (int Node = Tables.Prnt[Symbol + LZH_T];; Node = Tables.Prnt[Node]) {
        Path.insert(Path.begin(), int16_t(Node));
        if (Node == LZH_R)
            return Path;
    }
}

TEST(LZH, UpdateAlongTheDecodedPathEqualsUpdateByParentLinks)
{
    auto ByLinks = std::make_unique<TLZHTables>(), ByPath = std::make_unique<TLZHTables>();
    ByLinks->StartHuff();
    ByPath->StartHuff();
    for (int Symbol : ShiftingSymbols(40000)) {
        const auto Path = PathOf(*ByPath, Symbol);
        ByLinks->UpdateFreq(Symbol);
        ByPath->UpdateFreq(Symbol, Path.data(), int(Path.size()) - 1);
        ASSERT_EQ(0, std::memcmp(ByLinks->Freq, ByPath->Freq, sizeof(ByPath->Freq)));
        ASSERT_EQ(0, std::memcmp(ByLinks->Son, ByPath->Son, sizeof(ByPath->Son)));
        ASSERT_EQ(0, std::memcmp(ByLinks->Prnt, ByPath->Prnt, sizeof(ByPath->Prnt)));
    }
}

TEST(LZH, StepsStayTheWalkOfTheTreeAsItChanges)
{
    auto Tables = std::make_unique<TLZHTables>();
    Tables->StartHuff();
    std::mt19937 Rng(9);
    const auto Symbols = ShiftingSymbols(40000);
    for (size_t N = 0; N < Symbols.size(); ++N) {
        Tables->UpdateFreq(Symbols[N]);
        // Some values after every update, all of them now and then.
        const bool All = N % 997 == 0;
        for (unsigned I = 0; I < (All ? 1u << LZHStepBits : 4u); ++I) {
            const unsigned Value = All ? I : unsigned(Rng()) % (1u << LZHStepBits);
            const TLZHTables::TStep& Step = Tables->Step(Value);
            int Node = LZH_R, K = 0;
            ASSERT_EQ(Step.Path[0], Node);
            while (Tables->Son[Node] < LZH_T && K < LZHStepBits) {
                Node = Tables->Son[Node] + int((Value >> (LZHStepBits - 1 - K)) & 1);
                ++K;
                ASSERT_EQ(Step.Path[K], Node) << "after symbol " << N << ", value " << Value;
            }
            ASSERT_EQ(Step.Bits, K) << "after symbol " << N << ", value " << Value;
        }
    }
}
