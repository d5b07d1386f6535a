// Time of TSkinData::LoadSkin for a skin file (argument): decode, directory, description
// and every bitmap, as when the main window's design is read.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

int main(int Argc, char** Argv)
{
    if (Argc != 2) {
        std::fprintf(stderr, "usage: loadskin_benchmark SKINFILE\n");
        return 2;
    }
    TSkinData Skin(nullptr);
    Skin.SkinStream->LoadFromFile(Argv[1]);
    if (!Skin.LoadSkin()) {
        std::fprintf(stderr, "the skin was refused\n");
        return 1;
    }
    // Median and best of many runs, in milliseconds.
    auto Time = [](auto&& Run) {
        LARGE_INTEGER Frequency;
        QueryPerformanceFrequency(&Frequency);
        std::vector<double> Ms;
        for (int I = 0; I < 200; ++I) {
            LARGE_INTEGER Start, End;
            QueryPerformanceCounter(&Start);
            Run();
            QueryPerformanceCounter(&End);
            Ms.push_back(double(End.QuadPart - Start.QuadPart) * 1000.0 / double(Frequency.QuadPart));
        }
        std::sort(Ms.begin(), Ms.end());
        return std::make_pair(Ms[Ms.size() / 2], Ms[0]);
    };
    const auto Load = Time([&] { Skin.LoadSkin(); });
    const auto Decode = Time([&] {
        TMemoryStream Container;
        TSkinReader::Unpack(*Skin.SkinStream, Container);
    });
    std::printf("LoadSkin of %s (%lld bytes): median %.2f ms, best %.2f ms (decoding alone: median %.2f ms, "
                "best %.2f ms)\n",
                Argv[1], static_cast<long long>(Skin.SkinStream->Size()), Load.first, Load.second, Decode.first,
                Decode.second);
    std::printf("BENCH|LoadSkin of Pantrel's skin (ms, median of 200)|%.2f|%.2f (its decoding alone)|-|under 2 ms\n",
                Load.first, Decode.first);
    return 0;
}
