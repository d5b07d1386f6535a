// Fuzz target: any bytes as an INI text; every section and key is read back.
#include "framework/core/IniFile.h"
#include "framework/core/Strings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TMemIniFile Ini(std::string(reinterpret_cast<const char*>(Data), Size));
    TStringList Sections, Keys;
    Ini.ReadSections(Sections);
    for (int S = 0; S < Sections.Count(); ++S) {
        Ini.ReadSection(Sections[S], Keys);
        for (int K = 0; K < Keys.Count(); ++K) {
            Ini.ReadString(Sections[S], Keys[K], "");
            Ini.ReadInteger(Sections[S], Keys[K], 0);
        }
    }
    return 0;
}
