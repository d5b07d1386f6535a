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
    const std::vector<uint8_t> Out = LZHDecodeBuffer(Stream);
    if (Out != TLZHOracle::Decode(Stream))
        std::abort();
    if (Declared > 0 && (Out.size() < size_t(Declared) || Out.size() >= size_t(Declared) + LZH_F))
        std::abort();
    return 0;
}
