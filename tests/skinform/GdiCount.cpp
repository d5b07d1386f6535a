#include "tests/skinform/GdiCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

int LiveGdiObjects()
{
    if (const DWORD N = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return int(N);
    struct TEntry {
        uint64_t Object;
        uint32_t Owner;
        uint16_t Unique;
        uint8_t Type, Flags;
        uint64_t UserData;
    };
    using TQuery = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto Query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION Info{};
    if (!Query || Query(GetCurrentProcess(), ProcessBasicInformation, &Info, sizeof Info, nullptr) != 0)
        return 0;
    const auto* Peb = reinterpret_cast<const uint8_t*>(Info.PebBaseAddress);
    const auto* Table = *reinterpret_cast<const TEntry* const*>(Peb + 0xF8);
    if (!Table)
        return 0;
    int N = 0;
    for (int I = 0; I < 0x10000; ++I)
        N += Table[I].Type != 0;
    return N;
}
