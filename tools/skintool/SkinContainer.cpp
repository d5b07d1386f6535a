#include "tools/skintool/SkinContainer.h"

#include <stdexcept>

static void PutLE32(std::string& Out, int32_t Value)
{
    for (int I = 0; I < 4; ++I)
        Out += char(uint32_t(Value) >> (8 * I));
}

static int32_t GetLE32(const std::string& Bytes, size_t At)
{
    if (At + 4 > Bytes.size())
        throw std::runtime_error("container ends inside its directory");
    uint32_t V = 0;
    for (int I = 0; I < 4; ++I)
        V |= uint32_t(uint8_t(Bytes[At + size_t(I)])) << (8 * I);
    return int32_t(V);
}

std::string TSkinContainer::Build() const
{
    std::string Names;
    for (const auto& E : Entries)
        Names += E.Name + "\r\n";
    std::string Out;
    PutLE32(Out, Mark);
    PutLE32(Out, int32_t(Names.size()));
    PutLE32(Out, 0);
    PutLE32(Out, 0);
    Out += Names;
    for (const auto& E : Entries)
        PutLE32(Out, int32_t(E.Bytes.size()));
    for (const auto& E : Entries)
        Out += E.Bytes;
    return Out;
}

TSkinContainer TSkinContainer::Parse(const std::string& Bytes)
{
    TSkinContainer C;
    C.Mark = GetLE32(Bytes, 0);
    const int32_t NamesLength = GetLE32(Bytes, 4);
    if (NamesLength < 0 || size_t(NamesLength) > Bytes.size() - 16)
        throw std::runtime_error("names text runs past the container");
    const std::string Names = Bytes.substr(16, size_t(NamesLength));
    // One name per line; CR LF, CR or LF end a line, a final break adds nothing.
    std::vector<std::string> Lines;
    for (size_t I = 0; I < Names.size();) {
        const size_t End = Names.find_first_of("\r\n", I);
        Lines.push_back(Names.substr(I, End == std::string::npos ? std::string::npos : End - I));
        if (End == std::string::npos)
            break;
        I = End + (Names.compare(End, 2, "\r\n") == 0 ? 2 : 1);
    }
    size_t At = 16 + size_t(NamesLength);
    std::vector<int32_t> Sizes;
    for (size_t I = 0; I < Lines.size(); ++I, At += 4)
        Sizes.push_back(GetLE32(Bytes, At));
    for (size_t I = 0; I < Lines.size(); ++I) {
        if (Sizes[I] < 0 || size_t(Sizes[I]) > Bytes.size() - At)
            throw std::runtime_error("entry " + Lines[I] + " runs past the container");
        C.Entries.push_back({Lines[I], Bytes.substr(At, size_t(Sizes[I]))});
        At += size_t(Sizes[I]);
    }
    return C;
}
