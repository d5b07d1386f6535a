// Any byte string as an LZH stream: the decoder must agree with the plain decoder and stop
// within one match of the declared size. Declared sizes are cut to 64 KiB so that a unit
// stays quick.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "skin/data/LZH.h"
#include "tests/skin/LZHOracle.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 4)
        return 0;
    std::vector<uint8_t> Stream(Data, Data + Size);
    int32_t Declared;
    std::memcpy(&Declared, Stream.data(), 4);
    if (Declared > (1 << 16)) {
        Declared &= (1 << 16) - 1;
        std::memcpy(Stream.data(), &Declared, 4);
    }
    size_t At = 4;
    std::vector<uint8_t> Out;
    TLZH Codec;
    Codec.Decode(
        Declared,
        [&](uint8_t* Buffer, int Count) {
            const size_t Got = std::min(size_t(Count), Stream.size() - At);
            std::memcpy(Buffer, Stream.data() + At, Got);
            At += Got;
            return int(Got);
        },
        [&](const uint8_t* Buffer, int Count) {
            Out.insert(Out.end(), Buffer, Buffer + Count);
            return Count;
        });
    if (Out != TLZHOracle::Decode(Stream))
        std::abort();
    if (Declared > 0 && (Out.size() < size_t(Declared) || Out.size() >= size_t(Declared) + LZH_F))
        std::abort();
    return 0;
}
