// LZH decode throughput in MB of output per second of CPU time: a packed skin (optional argument),
// an 8 MB text-like stream and 2 MB of random bytes, each through the reader's unpack path
// and, for comparison, through the plain byte-at-a-time decoder.
#include <ctime>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tests/skin/LZHOracle.h"
#include "tests/skin/SkinSamples.h"
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
    } while (Seconds < 1.0);
    return double(OutputBytes) * Rounds / Seconds / 1e6;
}

static void Measure(const char* Label, const std::vector<uint8_t>& Stream)
{
    TMemoryStream Source;
    Source.WriteBuffer(Stream.data(), int64_t(Stream.size()));
    TMemoryStream Out;
    if (!TSkinReader::Unpack(Source, Out)) {
        std::printf("%-14s refused by the reader\n", Label);
        return;
    }
    const size_t Size = size_t(Out.Size());
    const double Ours = MBPerSecond(Size, [&] {
        TMemoryStream Target;
        TSkinReader::Unpack(Source, Target);
    });
    const double Plain = MBPerSecond(Size, [&] { TLZHOracle::Decode(Stream); });
    std::printf("%-14s %9zu -> %9zu bytes  %7.1f MB/s  (plain decoder %6.1f MB/s)\n", Label,
                Stream.size(), Size, Ours, Plain);
}

int main(int Argc, char** Argv)
{
    if (Argc > 1) {
        std::ifstream File(Argv[1], std::ios::binary);
        const std::vector<uint8_t> Skin{std::istreambuf_iterator<char>(File), {}};
        if (Skin.size() < 4) {
            std::fprintf(stderr, "cannot read skin %s\n", Argv[1]);
            return 1;
        }
        Measure("skin", Skin);
    }
    const std::string Text = TextLike(8 << 20, 1);
    Measure("text 8 MB", TLzhEncoder::Encode(Text));
    std::mt19937 Rng(2);
    std::string Random(2 << 20, '\0');
    for (auto& C : Random)
        C = char(Rng());
    Measure("random 2 MB", TLzhEncoder::Encode(Random));
    return 0;
}
