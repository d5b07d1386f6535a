// Fuzz target: any bytes as a design for the sample form; only EDesignError may come out.
#include "framework/design/DesignReader.h"
#include "tests/core/Sample.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TSampleForm Form(nullptr);
    try {
        ReadComponentText(std::string(reinterpret_cast<const char*>(Data), Size), &Form, "Fuzz");
    } catch (const EDesignError&) {
    }
    return 0;
}
