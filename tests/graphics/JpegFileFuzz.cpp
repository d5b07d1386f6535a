// Any bytes given to the JPEG reader either decode or raise EInvalidGraphic.
#include "framework/graphics/JpegFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    try {
        ReadJpegFile(Data, Size);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
