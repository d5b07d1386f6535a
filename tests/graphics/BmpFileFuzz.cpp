// Any bytes given to the bitmap readers either decode or raise EInvalidGraphic.
#include "framework/graphics/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    try {
        ReadBmpFile(Data, Size);
    } catch (const EInvalidGraphic&) {
    }
    try {
        ReadDib(Data, Size);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
