// designpack: copies a design text and replaces every binary block that names a file,
//   { @file "path" }        the file's bytes
//   { @sizedfile "path" }   a 4-byte little-endian length, then the file's bytes
// with the bytes in hex. A relative path is looked up in the -I folders in order.
// Usage: designpack <design.txt> <out.txt> [-I folder]...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr size_t MaxBytes = 64u * 1024 * 1024;

bool ReadFile(const std::string& Name, std::string& Data)
{
    std::ifstream In(Name, std::ios::binary);
    if (!In)
        return false;
    Data.assign(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
    return true;
}

std::string Hex(const std::string& Bytes, const std::string& Indent)
{
    static const char Digits[] = "0123456789ABCDEF";
    std::string Out;
    for (size_t I = 0; I < Bytes.size(); ++I) {
        if (I % 32 == 0)
            Out += "\n" + Indent;
        unsigned char B = static_cast<unsigned char>(Bytes[I]);
        Out += Digits[B >> 4];
        Out += Digits[B & 15];
    }
    return Out;
}

struct TPacker {
    std::vector<std::string> Folders;
    std::string Design;

    [[noreturn]] void Fail(int Line, const std::string& Problem) const
    {
        std::fprintf(stderr, "%s(%d): %s\n", Design.c_str(), Line, Problem.c_str());
        std::exit(1);
    }

    std::string Load(const std::string& Path, int Line) const
    {
        std::string Data;
        bool Found = !Path.empty() && Path[0] == '/' && ReadFile(Path, Data);
        for (size_t I = 0; !Found && I < Folders.size(); ++I)
            Found = ReadFile(Folders[I] + "/" + Path, Data);
        if (!Found)
            Fail(Line, "cannot read " + Path);
        if (Data.size() > MaxBytes)
            Fail(Line, Path + " is larger than 64 MiB");
        return Data;
    }

    std::string Pack(const std::string& Text) const
    {
        std::string Out;
        int Line = 1;
        bool InString = false;
        for (size_t I = 0; I < Text.size(); ++I) {
            char C = Text[I];
            if (C == '\n') {
                ++Line;
                InString = false;
            } else if (C == '\'') {
                InString = !InString;
            } else if (C == '{' && !InString) {
                size_t J = I + 1;
                while (J < Text.size() && (Text[J] == ' ' || Text[J] == '\t'))
                    ++J;
                if (J < Text.size() && Text[J] == '@') {
                    I = Splice(Text, J, Line, Out);
                    continue;
                }
            }
            Out += C;
        }
        return Out;
    }

    // Text[At] is '@'; appends the block and returns the index of its closing brace.
    size_t Splice(const std::string& Text, size_t At, int Line, std::string& Out) const
    {
        size_t KeyEnd = Text.find_first_of(" \t\"", At);
        std::string Key = Text.substr(At, KeyEnd == std::string::npos ? std::string::npos : KeyEnd - At);
        if (Key != "@file" && Key != "@sizedfile")
            Fail(Line, "unknown directive " + Key);
        size_t Open = Text.find('"', At);
        size_t Close = Open == std::string::npos ? Open : Text.find('"', Open + 1);
        size_t Brace = Close == std::string::npos ? Close : Text.find('}', Close);
        if (Brace == std::string::npos || Text.find('\n', At) < Brace)
            Fail(Line, "expected " + Key + " \"path\" }");
        std::string Bytes = Load(Text.substr(Open + 1, Close - Open - 1), Line);
        if (Key == "@sizedfile") {
            uint32_t N = static_cast<uint32_t>(Bytes.size());
            std::string Prefix;
            for (int K = 0; K < 4; ++K)
                Prefix += static_cast<char>((N >> (8 * K)) & 0xFF);
            Bytes = Prefix + Bytes;
        }
        size_t LineStart = Out.rfind('\n');
        LineStart = LineStart == std::string::npos ? 0 : LineStart + 1;
        size_t IndentEnd = Out.find_first_not_of(" \t", LineStart);
        std::string Indent = Out.substr(LineStart, (IndentEnd == std::string::npos ? Out.size() : IndentEnd) - LineStart);
        Out += "{" + Hex(Bytes, Indent + "  ") + "}";
        return Brace;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: designpack <design.txt> <out.txt> [-I folder]...\n");
        return 2;
    }
    TPacker Packer;
    Packer.Design = argv[1];
    for (int I = 3; I < argc; ++I) {
        std::string A = argv[I];
        if (A == "-I" && I + 1 < argc)
            Packer.Folders.push_back(argv[++I]);
        else if (A.size() > 2 && A.compare(0, 2, "-I") == 0)
            Packer.Folders.push_back(A.substr(2));
        else {
            std::fprintf(stderr, "designpack: unknown argument %s\n", A.c_str());
            return 2;
        }
    }
    std::string Text;
    if (!ReadFile(Packer.Design, Text)) {
        std::fprintf(stderr, "designpack: cannot read %s\n", Packer.Design.c_str());
        return 1;
    }
    std::string Packed = Packer.Pack(Text);
    std::string Temp = std::string(argv[2]) + ".tmp";
    {
        std::ofstream Out(Temp, std::ios::binary);
        Out << Packed;
        if (!Out.flush()) {
            std::fprintf(stderr, "designpack: cannot write %s\n", argv[2]);
            return 1;
        }
    }
    if (std::rename(Temp.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "designpack: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
