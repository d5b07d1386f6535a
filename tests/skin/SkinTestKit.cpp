#include "tests/skin/SkinTestKit.h"

PANTREL_REGISTER(TSkinRoot, TComponent)

std::string SkinDesign(const std::string& File, bool Active)
{
    static const char* Digits = "0123456789ABCDEF";
    std::string Block;
    const uint32_t N = uint32_t(File.size());
    for (int I = 0; I < 4; ++I)
        Block += char(N >> (8 * I));
    Block += File;
    std::string Hex;
    for (size_t I = 0; I < Block.size(); ++I) {
        if (I % 32 == 0)
            Hex += "\n      ";
        Hex += Digits[uint8_t(Block[I]) >> 4];
        Hex += Digits[uint8_t(Block[I]) & 15];
    }
    return "object Root: TSkinRoot\n  object SkinData1: TSkinData\n    Active = " +
           std::string(Active ? "True" : "False") + "\n    SkinStream = {" + Hex + "}\n  end\nend\n";
}
