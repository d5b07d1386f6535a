// LZH decode throughput in MB of output per second of CPU time, on real streams: a packed
// skin, a packed text corpus (both optional arguments, as skintool writes them) and 2 MB of
// random bytes. Each goes through the reader's unpack path and, in turns in the same run,
// through the plain byte-at-a-time decoder of the tests.
//   lzh_benchmark [SKINFILE [TEXTSTREAM]]
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tests/skin/LZHOracle.h"
#include "tests/support/Bench.h"
#include "tools/skintool/LzhEncoder.h"

// The process's CPU time, so that other programs on a busy machine do not count.
static double CpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

template<class F>
static double MBPerSecond(size_t OutputBytes, F&& Run)
{
    int Rounds = 0;
    const double Start = CpuSeconds();
    double Seconds = 0;
    do {
        Run();
        ++Rounds;
        Seconds = CpuSeconds() - Start;
    } while (Seconds < 0.3);
    return double(OutputBytes) * Rounds / Seconds / 1e6;
}

static void Measure(const char* Label, const std::vector<uint8_t>& Stream)
{
    TMemoryStream Source;
    Source.WriteBuffer(Stream.data(), int64_t(Stream.size()));
    TMemoryStream Out;
    if (!TSkinReader::Unpack(Source, Out) || Out.Bytes() != TLZHOracle::Decode(Stream)) {
        std::printf("%s: the two decoders disagree\n", Label);
        return;
    }
    const size_t Size = size_t(Out.Size());
    std::vector<double> Ours, Plain;
    for (int Turn = 0; Turn < 5; ++Turn) {
        Ours.push_back(MBPerSecond(Size, [&] {
            TMemoryStream Target;
            TSkinReader::Unpack(Source, Target);
        }));
        Plain.push_back(MBPerSecond(Size, [&] { TLZHOracle::Decode(Stream); }));
    }
    const double O = Median(Ours), P = Median(Plain);
    std::printf("%s: %zu -> %zu bytes, %.1f MB/s (plain decoder %.1f MB/s)\n", Label, Stream.size(), Size, O, P);
    std::printf("BENCH|LZH decoding, %s (MB/s, median of 5)|%.1f|%.1f (plain decoder)|%.2f|>= 1.5\n", Label, O, P,
                O / P);
}

static std::vector<uint8_t> ReadFile(const char* Name)
{
    std::ifstream File(Name, std::ios::binary);
    return std::vector<uint8_t>{std::istreambuf_iterator<char>(File), {}};
}

int main(int Argc, char** Argv)
{
    const char* const Labels[] = {"Pantrel's skin", "text corpus"};
    for (int I = 1; I < Argc && I <= 2; ++I) {
        const std::vector<uint8_t> Stream = ReadFile(Argv[I]);
        if (Stream.size() < 4) {
            std::fprintf(stderr, "cannot read %s\n", Argv[I]);
            return 1;
        }
        Measure(Labels[I - 1], Stream);
    }
    std::mt19937 Rng(2);
    std::string Random(2 << 20, '\0');
    for (auto& C : Random)
        C = char(Rng());
    Measure("2 MB of random bytes", TLzhEncoder::Encode(Random));
    return 0;
}
