// What the skin engine's benchmarks share: a message pump and Pantrel's skin loaded from a
// file as the main window's design loads it.
#pragma once

#include <windows.h>

#include <cstdio>

#include "framework/ui/Application.h"
#include "skin/data/SkinData.h"
#include "tests/support/Bench.h"

// Handles the thread's messages for Ms milliseconds.
inline void Pump(DWORD Ms)
{
    const DWORD Start = GetTickCount();
    while (GetTickCount() - Start < Ms) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

// Reads the skin file into Skin and decodes it; Activate also switches the component on.
// False, with a message, when the skin is refused.
inline bool LoadBenchSkin(TSkinData& Skin, const char* FileName, bool Activate)
{
    Skin.SkinStream->LoadFromFile(FileName);
    if (!Skin.LoadSkin()) {
        std::fprintf(stderr, "the skin was refused\n");
        return false;
    }
    if (Activate) {
        Skin.Loaded();
        Skin.SetActive(true);
    }
    return true;
}
