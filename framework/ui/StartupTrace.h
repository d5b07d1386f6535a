#pragma once
// Named points of the program's start-up on the high-resolution clock, for the start-up
// benchmark. The program writes them out at its end, one "ticks name" line each after a
// "frequency" line, when the environment variable PANTREL_STARTUP_TRACE names a file;
// the benchmark reads the clock of the same machine and lines the marks up with its own.
#include <windows.h>

#include <cstdio>

namespace StartupTrace {

struct TMark {
    const char* Name;
    LONGLONG Ticks;
};
inline TMark Marks[32];
inline int Count = 0;

// Records the first time of each name (a literal); later times of it are left out.
inline void Mark(const char* Name)
{
    if (Count == int(sizeof(Marks) / sizeof(Marks[0])))
        return;
    for (int I = 0; I < Count; ++I)
        if (Marks[I].Name == Name)
            return;
    LARGE_INTEGER Now;
    QueryPerformanceCounter(&Now);
    Marks[Count++] = {Name, Now.QuadPart};
}

inline void WriteIfAsked()
{
    char FileName[MAX_PATH];
    const DWORD Length = GetEnvironmentVariableA("PANTREL_STARTUP_TRACE", FileName, sizeof(FileName));
    if (Length == 0 || Length >= sizeof(FileName))
        return;
    FILE* File = std::fopen(FileName, "w");
    if (!File)
        return;
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    std::fprintf(File, "%lld frequency\n", static_cast<long long>(Frequency.QuadPart));
    for (int I = 0; I < Count; ++I)
        std::fprintf(File, "%lld %s\n", static_cast<long long>(Marks[I].Ticks), Marks[I].Name);
    std::fclose(File);
}

}  // namespace StartupTrace
