// skintool: the skin author's tool.
//   pack DIR OUT      a folder with one description .ini and its .bmp files -> skin file
//   unpack IN DIR     skin file -> its entries as files
//   encode IN OUT     bytes -> raw LZH stream;  decode IN OUT  raw LZH stream -> bytes
//   info IN           what the program loads from a skin, as one JSON object (Windows
//                     build: the skin component needs the Windows graphics)
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "skin/data/SkinReader.h"
#include "tools/skintool/LzhEncoder.h"
#include "tools/skintool/SkinContainer.h"
#ifdef _WIN32
#include "tools/skintool/SkinInfo.h"
#endif

namespace fs = std::filesystem;

static std::string ReadFile(const fs::path& Path)
{
    std::ifstream In(Path, std::ios::binary);
    if (!In)
        throw std::runtime_error("cannot read " + Path.string());
    return std::string(std::istreambuf_iterator<char>(In), {});
}

static void WriteFile(const fs::path& Path, const void* Data, size_t Size)
{
    std::ofstream Out(Path, std::ios::binary);
    Out.write(static_cast<const char*>(Data), std::streamsize(Size));
    if (!Out)
        throw std::runtime_error("cannot write " + Path.string());
}

static bool HasExtension(const fs::path& Path, const char* Ext)
{
    std::string E = Path.extension().string();
    std::transform(E.begin(), E.end(), E.begin(), [](unsigned char C) { return char(std::tolower(C)); });
    return E == Ext;
}

// The description first, then the bitmaps in name order.
static int Pack(const fs::path& Dir, const fs::path& Out)
{
    TSkinContainer Container;
    std::vector<fs::path> Ini, Bitmaps;
    for (const auto& Entry : fs::directory_iterator(Dir)) {
        if (!Entry.is_regular_file())
            continue;
        if (HasExtension(Entry.path(), ".ini"))
            Ini.push_back(Entry.path());
        else if (HasExtension(Entry.path(), ".bmp"))
            Bitmaps.push_back(Entry.path());
    }
    if (Ini.size() != 1)
        throw std::runtime_error(Dir.string() + " must hold exactly one .ini description");
    std::sort(Bitmaps.begin(), Bitmaps.end());
    if (Bitmaps.size() + 1 > size_t(TSkinReader::MaxEntries))
        throw std::runtime_error("too many bitmaps for one skin");
    Container.Entries.push_back({Ini[0].filename().string(), ReadFile(Ini[0])});
    for (const auto& Bitmap : Bitmaps)
        Container.Entries.push_back({Bitmap.filename().string(), ReadFile(Bitmap)});
    const auto Stream = TLzhEncoder::Encode(Container.Build());
    WriteFile(Out, Stream.data(), Stream.size());
    return 0;
}

static std::string Decode(const std::string& Stream)
{
    const auto Out = LZHDecodeBuffer(std::vector<uint8_t>(Stream.begin(), Stream.end()));
    return std::string(Out.begin(), Out.end());
}

static int Unpack(const fs::path& In, const fs::path& Dir)
{
    const std::string Stream = ReadFile(In);
    int32_t Size = -1;
    if (Stream.size() >= 4)
        std::memcpy(&Size, Stream.data(), 4);
    if (Size < 0 || Size > TSkinReader::MaxUnpackedSize)
        throw std::runtime_error(In.string() + " is not a skin file");
    const TSkinContainer Container = TSkinContainer::Parse(Decode(Stream));
    fs::create_directories(Dir);
    for (const auto& Entry : Container.Entries) {
        // Entry names are bare file names; anything else would write outside the folder.
        if (Entry.Name.empty() || Entry.Name == "." || Entry.Name == ".." ||
            Entry.Name.find_first_of("/\\:") != std::string::npos)
            throw std::runtime_error("entry name \"" + Entry.Name + "\" is not a plain file name");
        WriteFile(Dir / Entry.Name, Entry.Bytes.data(), Entry.Bytes.size());
    }
    std::printf("%zu entries, format mark %d\n", Container.Entries.size(), int(Container.Mark));
    return 0;
}

static int Usage()
{
    std::fprintf(stderr,
                 "usage: skintool pack DIR OUT | unpack IN DIR | encode IN OUT | decode IN OUT | info IN\n");
    return 2;
}

int main(int Argc, char** Argv)
{
    if (Argc < 3)
        return Usage();
    const std::string Command = Argv[1];
    try {
        if (Command == "info" && Argc == 3) {
#ifdef _WIN32
            return PrintSkinInfo(Argv[2]);
#else
            std::fprintf(stderr, "skintool: info needs the Windows build of skintool\n");
            return 2;
#endif
        }
        if (Argc != 4)
            return Usage();
        if (Command == "pack")
            return Pack(Argv[2], Argv[3]);
        if (Command == "unpack")
            return Unpack(Argv[2], Argv[3]);
        if (Command == "encode") {
            const auto Stream = TLzhEncoder::Encode(ReadFile(Argv[2]));
            WriteFile(Argv[3], Stream.data(), Stream.size());
            return 0;
        }
        if (Command == "decode") {
            const std::string Out = Decode(ReadFile(Argv[2]));
            WriteFile(Argv[3], Out.data(), Out.size());
            return 0;
        }
        return Usage();
    } catch (const std::exception& E) {
        std::fprintf(stderr, "skintool: %s\n", E.what());
        return 1;
    }
}
