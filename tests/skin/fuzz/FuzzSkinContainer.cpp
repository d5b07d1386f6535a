// Any byte string as an uncompressed skin container (compressed with our encoder first):
// opening and extracting every entry must stay inside the container.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/data/SkinReader.h"
#include "tools/skintool/LzhEncoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const auto Stream = TLzhEncoder::Encode(std::string(reinterpret_cast<const char*>(Data), Size));
    TMemoryStream Source;
    Source.WriteBuffer(Stream.data(), int64_t(Stream.size()));
    TSkinReader Reader;
    int Messages = 0;
    Reader.ShowMessage = [&](const std::string&) { ++Messages; };
    const bool Opened = Reader.Open(Source);
    if (Messages > 1 || (Opened && Messages) || Reader.Count > TSkinReader::MaxEntries)
        std::abort();
    TMemoryStream Entry;
    int64_t Total = 0;
    for (int I = 0; I < Reader.Count; ++I) {
        Reader.ExtractByName(Reader.Names->Strings(I), Entry);
        Total += Entry.Size();
    }
    std::string Name;
    Reader.ExtractByPart(".ini", Entry, Name);
    if (Total > Reader.Data->Size() * int64_t(Reader.Count ? Reader.Count : 1))
        std::abort();
    return 0;
}
