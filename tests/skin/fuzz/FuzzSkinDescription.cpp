// Any byte string as a skin file's container (compressed with our encoder first): the
// description is read as the skin component reads it, every value is taken as a colour
// text and as a bitmap name, and every bitmap it names is decoded. Nothing may crash, read
// out of bounds or hang.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/IniFile.h"
#include "framework/core/Strings.h"
#include "framework/graphics/BmpFile.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinText.h"
#include "tools/skintool/LzhEncoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto Stream = TLzhEncoder::Encode(std::string(reinterpret_cast<const char*>(Data), Size));
    TMemoryStream Source;
    Source.WriteBuffer(Stream.data(), int64_t(Stream.size()));
    TSkinReader Reader;
    Reader.ShowMessage = [](const std::string&) {};
    if (!Reader.Open(Source))
        return 0;
    TMemoryStream Entry;
    std::string Name;
    Reader.ExtractByPart(".ini", Entry, Name);
    const TMemIniFile Ini(std::string(reinterpret_cast<const char*>(Entry.Memory()), size_t(Entry.Size())));
    TStringList Sections, Keys;
    Ini.ReadSections(Sections);
    for (int S = 0; S < Sections.Count(); ++S) {
        Ini.ReadSection(Sections[S], Keys);
        for (int K = 0; K < Keys.Count(); ++K) {
            const std::string Value = Ini.ReadString(Sections[S], Keys[K], "");
            if (TSkinText::StrToColour(Value) > 0xFFFFFF)
                std::abort();
            Ini.ReadInteger(Sections[S], Keys[K], -1);
            const std::string Bitmap = TSkinText::BitmapEntryName(Value);
            if (Bitmap.empty())
                continue;
            Reader.ExtractByName(Bitmap, Entry);
            try {
                ReadBmpFile(Entry.Memory(), size_t(Entry.Size()));
            } catch (const EInvalidGraphic&) {
                // not a bitmap: the element gets an empty image
            }
        }
    }
    return 0;
}
