#include "skin/data/SkinText.h"

#include <climits>
#include <cstdint>

#include "framework/core/Path.h"
#include "framework/core/StrUtils.h"

TColor TSkinText::StrToColour(const std::string& Text)
{
    const std::string T = Trim(Text);
    uint32_t Slots[3] = {0, 0, 0};
    int Stored = 0;
    std::string Number;
    // False when the number is too large: the parse ends there.
    auto Store = [&](int Slot) {
        int64_t V = 0;
        for (char C : Number) {
            V = V * 10 + (C - '0');
            if (V > INT32_MAX)
                return false;
        }
        Slots[Slot] = uint32_t(V) & 0xFF;
        return true;
    };
    bool Ended = false;
    for (size_t I = 0; I < T.size() && !Ended; ++I) {
        const char C = T[I];
        if (C >= '0' && C <= '9') {
            Number += C;
        } else if (!Number.empty()) {
            if (Stored < 3) {
                if (Store(Stored))
                    ++Stored;
                else
                    Ended = true;
            }
            Number.clear();
        }
    }
    if (!Ended && Stored == 2 && !Number.empty())
        Store(2);
    return Slots[0] | Slots[1] << 8 | Slots[2] << 16;
}

std::string TSkinText::BitmapEntryName(const std::string& BitmapName)
{
    // Only the file name counts, and only lower-case ".bmp" files are bitmaps.
    const std::string FileName = ExtractFileName(BitmapName);
    return !FileName.empty() && ExtractFileExt(FileName) == ".bmp" ? FileName : std::string();
}
